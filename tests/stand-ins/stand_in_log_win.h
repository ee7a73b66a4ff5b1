// The stand-ins' logs, which the tests read: one line appended per event,
// the file opened and closed for every line, so that a test polling it sees
// each event at once and never finds the file held open.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// The log named by the environment variable; without it, `besideProgram`
// in this program's folder, or no log (empty) where that is null.
inline std::string LogPath(const char* variable, const char* besideProgram = nullptr) {
    char path[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(variable, path, MAX_PATH);
    if (length != 0 && length < MAX_PATH) return path;
    if (besideProgram == nullptr) return std::string();
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path);
    return own.substr(0, own.find_last_of('\\') + 1) + besideProgram;
}

// Appends the line and its CR LF; false where the log cannot be written.
inline bool AppendLine(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string line = text + "\r\n";
    DWORD written = 0;
    const bool whole = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                       written == line.size();
    CloseHandle(file);
    return whole;
}

}  // namespace standin
