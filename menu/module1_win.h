// Module1: the menu's document opener. (Its start-up routine `Main` lives
// beside the menu window.)
#pragma once

#include <string>

namespace Module1 {

// A web address or document to the shell's default action; failures are
// silent.
void OpenDocument(const std::string& target);

}  // namespace Module1
