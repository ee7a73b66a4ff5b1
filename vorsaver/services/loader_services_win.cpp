#include "vorsaver/services/loader_services_win.h"

#include <windows.h>

#include "vorsaver/services/registry_text.h"

namespace Loader {

const char* const kProgramTitle = "SCRNSAVE: The Tarrowick Vorlaks";

namespace {

// Kept for compatibility: the registry root goes to ReadRegistryString as
// the 32-bit value of HKEY_CURRENT_USER, the form its callers pass.
constexpr std::uint32_t kCurrentUserKey = 0x80000001u;

}  // namespace

std::string ReadRegistryString(std::uint32_t root, const std::string& keyPath, const std::string& valueName) {
    // Handles of predefined keys are sign-extended 32-bit values.
    HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    HKEY key = nullptr;
    LONG opened = RegOpenKeyA(rootKey, keyPath.c_str(), &key);
    std::string buffer(vorsaver::kRegistryBufferSize, ' ');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    LONG queried = ERROR_INVALID_HANDLE;
    if (opened == ERROR_SUCCESS) {
        queried = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]),
                                   &size);
    }
    // A value larger than the buffer reports its full size; only the
    // buffer's bytes were read.
    if (size > buffer.size()) size = static_cast<DWORD>(buffer.size());
    std::string text = vorsaver::RegistryValueText(queried == ERROR_SUCCESS, type, buffer, size);
    RegCloseKey(key);
    return text;
}

std::string ReadUsePassword() {
    return ReadRegistryString(kCurrentUserKey, "Control Panel\\Desktop", "ScreenSaveUsePassword");
}

PasswordCheck VerifyScreenSavePassword(void* owner) {
    using VerifyFn = BOOL(WINAPI*)(HWND);
    HMODULE library = LoadLibraryA("password.cpl");
    if (library == nullptr) return PasswordCheck::Unavailable;
    auto verify = reinterpret_cast<VerifyFn>(reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
    PasswordCheck answer = PasswordCheck::Unavailable;
    if (verify != nullptr) {
        // Only the low 16 bits carry the answer.
        DWORD result = static_cast<DWORD>(verify(static_cast<HWND>(owner)));
        answer = LOWORD(result) != 0 ? PasswordCheck::Confirmed : PasswordCheck::Refused;
    }
    FreeLibrary(library);
    return answer;
}

void EnableSystemKeys(bool enable) {
    UINT scratch = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, enable ? 0 : 1, &scratch, 0);
}

void ReportErrorAndEnd(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), kProgramTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    ExitProcess(1);
}

}  // namespace Loader
