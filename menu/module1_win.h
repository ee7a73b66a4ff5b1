// Module1: the menu's start-up routine and its document opener.
#pragma once

#include <string>

namespace Module1 {

// The program's start: ends at once when another copy of the menu runs,
// and otherwise shows frmMain modally and returns once it has closed. (It
// lives in main_win.cpp, with the program's entry, so that the modules'
// library needs no window.)
void Main();

// A web address or document to the shell's default action; failures are
// silent.
void OpenDocument(const std::string& target);

}  // namespace Module1
