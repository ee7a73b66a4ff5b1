// The services the saver's windows and its start-up share: the registry, the
// password check, the system keys, the error box. Loader's routines, below
// every window that uses them.
#pragma once

#include <cstdint>
#include <string>

namespace Loader {

// False tells the system that a screen saver runs (the task-switching keys
// then do nothing on Windows 95/98), True that it has stopped.
void EnableSystemKeys(bool enable);

// The text of a registry value by the rules of RegistryValueText: "Not
// Found" when any step fails; the key is closed in every case.
std::string ReadRegistryString(std::uint32_t root, const std::string& keyPath, const std::string& valueName);

// The user's screen-saver password setting, read afresh on every call.
std::string ReadUsePassword();

enum class PasswordCheck { Confirmed, Refused, Unavailable };

// Asks the system's password check (Windows 95/98) with `owner` as the
// owner of its dialog. Unavailable where it cannot be loaded: the NT family
// protects the session itself.
PasswordCheck VerifyScreenSavePassword(void* owner);

// The title of the program's windows and message boxes.
extern const char* const kProgramTitle;

// Shows a modal error box and ends the program. The saver's callers restore
// the running flag and the pointer first, so that the box can be answered.
[[noreturn]] void ReportErrorAndEnd(const std::string& message);

}  // namespace Loader
