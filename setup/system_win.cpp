#include "setup/system_win.h"

#include <shlobj.h>

#include "common/system_text_win.h"

namespace setup {

namespace {

std::string FromBuffer(const char* buffer, UINT length, UINT capacity) {
    return length == 0 || length >= capacity ? std::string() : std::string(buffer, length);
}

}  // namespace

std::string WindowsFolder() {
    char buffer[MAX_PATH];
    return FromBuffer(buffer, GetWindowsDirectoryA(buffer, MAX_PATH), MAX_PATH);
}

std::string SystemFolder() {
    char buffer[MAX_PATH];
    return FromBuffer(buffer, GetSystemDirectoryA(buffer, MAX_PATH), MAX_PATH);
}

std::string AppDataFolder() {
    char buffer[MAX_PATH] = "";
    LPITEMIDLIST list = nullptr;
    // CSIDL_APPDATA: the shell of NT 4 before Internet Explorer 4 does not know it.
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)) && list != nullptr) {
        BOOL got = SHGetPathFromIDListA(list, buffer);
        IMalloc* memory = nullptr;
        if (SUCCEEDED(SHGetMalloc(&memory))) {
            memory->Free(list);
            memory->Release();
        }
        if (got && buffer[0] != '\0') return buffer;
    }
    DWORD length = GetEnvironmentVariableA("USERPROFILE", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return Join(buffer, "Application Data");
    return Join(WindowsFolder(), "Application Data");
}

std::string TempFolder() {
    char buffer[MAX_PATH];
    std::string folder = FromBuffer(buffer, GetTempPathA(MAX_PATH, buffer), MAX_PATH);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH];
    std::string shortPath = FromBuffer(buffer, GetShortPathNameA(path.c_str(), buffer, MAX_PATH), MAX_PATH);
    return shortPath.empty() ? path : shortPath;
}

std::string RegRead(HKEY root, const char* key, const char* value, bool* found) {
    if (found != nullptr) *found = false;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::string();
    char buffer[1024];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    std::string data;
    if (RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        buffer[size] = '\0';
        data = buffer;
        if (found != nullptr) *found = true;
    }
    RegCloseKey(opened);
    return data;
}

namespace {

bool SetValue(HKEY root, const char* key, const char* value, DWORD type, const BYTE* data, DWORD size) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool ok = RegSetValueExA(opened, value, 0, type, data, size) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return ok;
}

}  // namespace

bool RegWrite(HKEY root, const char* key, const char* value, const std::string& data) {
    return SetValue(root, key, value, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                    static_cast<DWORD>(data.size() + 1));
}

bool RegWriteNumber(HKEY root, const char* key, const char* value, DWORD data) {
    return SetValue(root, key, value, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void RegRemoveValue(HKEY root, const char* key, const char* value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, value);
    RegCloseKey(opened);
}

void RegRemoveKey(HKEY root, const char* key) { RegDeleteKeyA(root, key); }

std::string IniRead(const std::string& file, const char* section, const char* key, bool* found) {
    // A default no value can have tells a missing key from an empty one.
    static const char kMissing[] = "\x01";
    char buffer[1024];
    GetPrivateProfileStringA(section, key, kMissing, buffer, sizeof buffer, file.c_str());
    const bool present = std::string(buffer) != kMissing;
    if (found != nullptr) *found = present;
    return present ? buffer : std::string();
}

void IniWrite(const std::string& file, const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.empty() ? nullptr : value.c_str(), file.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}

bool AtNextStart(const std::string& from, const std::string& to) {
    const DWORD flags = MOVEFILE_DELAY_UNTIL_REBOOT | (to.empty() ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (MoveFileExA(from.c_str(), to.empty() ? nullptr : to.c_str(), flags)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // Windows 95/98/Me: wininit.ini's [rename] lines run before Windows
    // starts, in DOS, so they take short names; NUL deletes.
    const std::string target = to.empty() ? std::string("NUL") : ShortPath(to);
    const std::string ini = Join(WindowsFolder(), "wininit.ini");
    // [rename] may hold a key many times: append rather than write one value.
    std::string section(32768, '\0');
    DWORD length = GetPrivateProfileSectionA("rename", &section[0], static_cast<DWORD>(section.size()), ini.c_str());
    section.resize(length);
    section += target + "=" + ShortPath(from);
    section.push_back('\0');
    section.push_back('\0');
    return WritePrivateProfileSectionA("rename", section.c_str(), ini.c_str()) != FALSE;
}

bool InUse(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_LOCK_VIOLATION;
}

void PaintNow(HWND window) {
    if (window == nullptr) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
    UpdateWindow(window);
}

}  // namespace setup
