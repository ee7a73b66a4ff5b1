// The argument text of a command line: what follows the program's own name.
#pragma once

#include <string>

namespace common {

// The part of a command line after the program's own file name, whether that
// name is quoted or not, without the blanks that separate the two.
std::string ArgumentText(const std::string& commandLine);

}  // namespace common
