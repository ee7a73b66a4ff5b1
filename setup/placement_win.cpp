#include "setup/placement_win.h"

#include <windows.h>

#include "common/system_text_win.h"
#include "setup/system_win.h"

namespace setup {

Placement::~Placement() {
    if (!committed_) RollBack();
    Finish();
}

std::string Placement::Path(const std::string& name, const char* suffix) const {
    return Join(folder_, name + suffix);
}

bool Placement::Stage(const std::string& name, const std::string& bytes, bool mayWait, std::string& error,
                      const Progress& progress) {
    File file;
    file.name = name;
    file.mayWait = mayWait;
    const std::string path = Path(name, ".new");
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        error = name + " could not be written to " + folder_ + ": " + common::SystemErrorText(GetLastError()) + ".";
        return false;
    }
    file.staged = true;
    files_.push_back(file);
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
            error = name + " could not be written to " + folder_ + ": " + common::SystemErrorText(code) + ".";
            return false;
        }
        done += written;
        if (progress) progress(done);
    }
    if (!CloseHandle(out)) {
        error = name + " could not be written to " + folder_ + ": " + common::SystemErrorText(GetLastError()) + ".";
        return false;
    }
    return true;
}

bool Placement::Commit(std::string& error, bool& waiting) {
    for (File& file : files_) {
        const std::string target = Path(file.name);
        const std::string staged = Path(file.name, ".new");
        DWORD code = NO_ERROR;
        if (FileExists(target) && InUse(target)) {
            if (!file.mayWait) {
                error = file.name + " in " + folder_ + " is in use by another program. Close it and try again.";
                RollBack();
                return false;
            }
            const std::string update = Path(file.name, ".upd");
            DeleteFileA(update.c_str());
            if (!MoveFileA(staged.c_str(), update.c_str()) || !AtNextStart(update, target)) {
                code = GetLastError();
                error = file.name + " is in use and could not be queued to be replaced when Windows next starts: " +
                        common::SystemErrorText(code) + ".";
                RollBack();
                return false;
            }
            file.staged = false;
            file.waits = true;
            waiting = true;
            continue;
        }
        if (FileExists(target)) {
            const std::string old = Path(file.name, ".old");
            DeleteFileA(old.c_str());
            if (!MoveFileA(target.c_str(), old.c_str())) {
                error = file.name + " in " + folder_ + " could not be replaced: " + common::SystemErrorText(GetLastError()) + ".";
                RollBack();
                return false;
            }
            file.replaced = true;
        }
        if (!MoveFileA(staged.c_str(), target.c_str())) {
            error = file.name + " could not be put in " + folder_ + ": " + common::SystemErrorText(GetLastError()) + ".";
            RollBack();
            return false;
        }
        file.staged = false;
        file.placed = true;
    }
    committed_ = true;
    return true;
}

void Placement::RollBack() {
    for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
        const std::string target = Path(file->name);
        if (file->staged) DeleteFileA(Path(file->name, ".new").c_str());
        if (file->waits) DeleteFileA(Path(file->name, ".upd").c_str());
        if (file->placed) DeleteFileA(target.c_str());
        if (file->replaced) MoveFileA(Path(file->name, ".old").c_str(), target.c_str());
    }
    files_.clear();
    committed_ = true;
}

void Placement::Finish() {
    if (finished_) return;
    finished_ = true;
    for (const File& file : files_) {
        if (file.replaced) DeleteFileA(Path(file.name, ".old").c_str());
    }
}

}  // namespace setup
