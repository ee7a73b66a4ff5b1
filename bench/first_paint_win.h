// Time from starting a program to its first paint (its window shown and its
// message queue idle for the first time), against a baseline program in the
// same run: rounds alternate between the two; each figure is the median.
// The working set of each is taken too, as Windows reports it to another
// program (GetProcessMemoryInfo), once the first picture has settled.
#pragma once

#include <string>

namespace bench {

// The folder of this program, where the programs to compare lie.
std::string Folder();

struct FirstPaint {
    double program = 0;   // seconds, median
    double baseline = 0;  // seconds, median
    // Working sets half a second after the first paint, bytes, median.
    double programMemory = 0;
    double baselineMemory = 0;
};

// Starts each command line `rounds` times in `folder`, closing its window
// after each start, and returns the medians.
FirstPaint CompareFirstPaint(const std::string& program, const std::string& baseline, const std::string& folder,
                             int rounds);

// Prints the working sets and the program's above the baseline's, beside
// the goal for that difference.
void PrintMemory(const char* program, const char* baseline, const FirstPaint& figures, double goalMegabytes);

}  // namespace bench
