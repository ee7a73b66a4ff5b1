#include "common/file_store_win.h"

#include <windows.h>

namespace common {

std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result;
    if (length != 0 && text != nullptr) {
        result.assign(text, length);
        while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                                   result.back() == ' ' || result.back() == '.')) {
            result.pop_back();
        }
    }
    if (text != nullptr) LocalFree(text);
    if (result.empty()) result = "Windows error " + std::to_string(code);
    return result;
}

bool WinFileStore::ReadAll(const std::string& path, std::string& bytes, std::string& error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    bytes.clear();
    char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            error = SystemErrorText(GetLastError());
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

bool WinFileStore::ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) {
    // A file marked read-only is left as it is, as Windows leaves it when it
    // would be written in place (not every system refuses the rename).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = SystemErrorText(ERROR_ACCESS_DENIED);
        return false;
    }
    const std::string temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (!ok) error = SystemErrorText(GetLastError());
    if (!CloseHandle(file) && ok) {
        error = SystemErrorText(GetLastError());
        ok = false;
    }
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = SystemErrorText(GetLastError());
        ok = false;
    }
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

}  // namespace common
