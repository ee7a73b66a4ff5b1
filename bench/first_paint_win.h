// Time from starting a program to its first paint (its window shown and its
// message queue idle for the first time), against a baseline program in the
// same run: rounds alternate between the two; each figure is the median.
#pragma once

#include <string>

namespace bench {

// The folder of this program, where the programs to compare lie.
std::string Folder();

struct FirstPaint {
    double program = 0;   // seconds, median
    double baseline = 0;  // seconds, median
};

// Starts each command line `rounds` times in `folder`, closing its window
// after each start, and returns the medians.
FirstPaint CompareFirstPaint(const std::string& program, const std::string& baseline, const std::string& folder,
                             int rounds);

}  // namespace bench
