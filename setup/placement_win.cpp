#include "setup/placement_win.h"

#include <windows.h>

#include "common/system_text_win.h"
#include "setup/system_win.h"

namespace setup {

bool WinPlacementSystem::WriteInPieces(const std::string& path, const std::string& bytes, const Progress& progress,
                                       std::string& error) {
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    const DWORD kChunk = 32 * 1024;
    DWORD done = 0;
    while (done < bytes.size()) {
        const DWORD size = bytes.size() - done < kChunk ? static_cast<DWORD>(bytes.size() - done) : kChunk;
        DWORD written = 0;
        if (!WriteFile(out, bytes.data() + done, size, &written, nullptr) || written != size) {
            // A full disk reports success with fewer bytes on some Windows.
            DWORD code = GetLastError();
            if (code == NO_ERROR) code = ERROR_DISK_FULL;
            CloseHandle(out);
            error = common::SystemErrorText(code);
            return false;
        }
        done += written;
        if (progress) progress(done);
    }
    if (!CloseHandle(out)) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

bool WinPlacementSystem::InUse(const std::string& path) { return setup::InUse(path); }

bool WinPlacementSystem::AtNextStart(const std::string& from, const std::string& to, std::string& error) {
    if (setup::AtNextStart(from, to)) return true;
    error = common::SystemErrorText(GetLastError());
    return false;
}

}  // namespace setup
