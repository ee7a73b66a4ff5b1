#include "common/file_store_win.h"

#include <windows.h>

#include "common/system_text_win.h"
#include "common/whole_file.h"

namespace common {

namespace {

bool Failed(std::string& error) {
    error = SystemErrorText(GetLastError());
    return false;
}

}  // namespace

bool WinFileCalls::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WinFileCalls::Writable(const std::string& path, std::string& error) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return true;
    error = SystemErrorText(ERROR_ACCESS_DENIED);
    return false;
}

bool WinFileCalls::Read(const std::string& path, std::string& bytes, std::string& error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failed(error);
    bytes.clear();
    char buffer[16 * 1024];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = Failed(error);
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

bool WinFileCalls::Write(const std::string& path, const std::string& bytes, std::string& error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failed(error);
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (!ok) Failed(error);
    if (!CloseHandle(file) && ok) ok = Failed(error);
    return ok;
}

FileCalls::Move WinFileCalls::MoveOver(const std::string& from, const std::string& to, std::string& error) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Move::Done;
    }
    if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return Move::NotImplemented;
    Failed(error);
    return Move::Failed;
}

bool WinFileCalls::Rename(const std::string& from, const std::string& to, std::string& error) {
    return MoveFileA(from.c_str(), to.c_str()) || Failed(error);
}

bool WinFileCalls::Remove(const std::string& path, std::string& error) {
    return DeleteFileA(path.c_str()) || Failed(error);
}

bool WinFileCalls::Copy(const std::string& from, const std::string& to, std::string& error) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) || Failed(error);
}

bool WinFileStore::ReadAll(const std::string& path, std::string& bytes, std::string& error) {
    WinFileCalls calls;
    return ReadWhole(calls, path, bytes, error);
}

bool WinFileStore::ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) {
    WinFileCalls calls;
    return ReplaceWhole(calls, path, bytes, error);
}

}  // namespace common
