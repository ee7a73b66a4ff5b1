// Hands a web address or a document to the shell's default action.
#pragma once

#include <string>

namespace common {

// No owner, no verb, no parameters, working folder "C:\", shown normally; the
// shell's answer is not examined.
void OpenDocument(const std::string& target);

}  // namespace common
