#include "setup/placement.h"

#include "common/paths.h"

namespace setup {

FilePlacement::~FilePlacement() {
    if (!committed_) RollBack();
    Finish();
}

std::string FilePlacement::Path(const std::string& name, const char* suffix) const {
    return common::PathInFolder(folder_, name + suffix);
}

void FilePlacement::RemoveIfThere(const std::string& path) {
    std::string ignored;
    if (files_.Exists(path)) files_.Remove(path, ignored);
}

std::string FilePlacement::Reason(const std::string& name, const char* what, const std::string& why) const {
    return name + what + folder_ + ": " + why + ".";
}

// An earlier placement stopped between its steps leaves the file, or where
// it was taken away, its complete new copy (what a reader takes) or its kept
// old one; that takes the file's place, and the spare copies go. One that
// will not go makes the step that needs its name fail, with its reason.
bool FilePlacement::Settle(const std::string& name, std::string& error) {
    const std::string target = Path(name);
    std::string why;
    if (!files_.Exists(target)) {
        for (const char* suffix : {".new", ".old"}) {
            if (!files_.Exists(Path(name, suffix))) continue;
            if (!files_.Rename(Path(name, suffix), target, why)) {
                error = Reason(name, " could not be put back in ", why);
                return false;
            }
            break;
        }
    }
    // A copy that waited for the next start would take the place of this
    // newer one then; if the file is still in use, this one waits instead.
    for (const char* suffix : {".new", ".old", ".tmp", ".upd"}) RemoveIfThere(Path(name, suffix));
    return true;
}

bool FilePlacement::Stage(const std::string& name, const std::string& bytes, bool mayWait, std::string& error,
                          const Progress& progress) {
    if (!Settle(name, error)) return false;
    File file;
    file.name = name;
    file.mayWait = mayWait;
    const std::string partial = Path(name, ".tmp");
    std::string why;
    if (!system_.WriteInPieces(partial, bytes, progress, why)) {
        RemoveIfThere(partial);
        error = Reason(name, " could not be written to ", why);
        return false;
    }
    if (!files_.Rename(partial, Path(name, ".new"), why)) {
        RemoveIfThere(partial);
        error = Reason(name, " could not be written to ", why);
        return false;
    }
    file.staged = true;
    placing_.push_back(file);
    return true;
}

bool FilePlacement::Place(File& file, std::string& error, bool& waiting) {
    const std::string target = Path(file.name);
    const std::string staged = Path(file.name, ".new");
    std::string why;
    if (files_.Exists(target) && system_.InUse(target)) {
        if (!file.mayWait) {
            error = file.name + " in " + folder_ + " is in use by another program. Close it and try again.";
            return false;
        }
        const std::string update = Path(file.name, ".upd");
        if (!files_.Rename(staged, update, why) || !system_.AtNextStart(update, target, why)) {
            error = file.name + " is in use and could not be queued to be replaced when Windows next starts: " +
                    why + ".";
            return false;
        }
        file.staged = false;
        file.waits = true;
        waiting = true;
        return true;
    }
    if (files_.Exists(target)) {
        // The old content is copied, not moved, so that the file stays in
        // its place for as long as the system lets it.
        if (!files_.Copy(target, Path(file.name, ".old"), why)) {
            error = Reason(file.name, " could not be replaced in ", why);
            return false;
        }
        file.replaced = true;
    }
    switch (files_.MoveOver(staged, target, why)) {
    case common::FileCalls::Move::Done:
        break;
    case common::FileCalls::Move::Failed:
        error = Reason(file.name, " could not be put in ", why);
        return false;
    case common::FileCalls::Move::NotImplemented:
        // From here until the rename, the complete NAME.new is the file.
        if ((files_.Exists(target) && !files_.Remove(target, why)) || !files_.Rename(staged, target, why)) {
            error = Reason(file.name, " could not be put in ", why);
            return false;
        }
        break;
    }
    file.staged = false;
    file.placed = true;
    return true;
}

bool FilePlacement::Commit(std::string& error, bool& waiting) {
    for (File& file : placing_) {
        if (!Place(file, error, waiting)) {
            RollBack();
            return false;
        }
    }
    committed_ = true;
    return true;
}

// Puts one file's old content back, so that a reader finds the file whole
// at every step: in one move where the system has it, and otherwise with the
// new content set aside as NAME.new for the moment the file is away.
void FilePlacement::PutBack(const File& file) {
    const std::string target = Path(file.name);
    const std::string staged = Path(file.name, ".new");
    const std::string old = Path(file.name, ".old");
    std::string ignored;
    if (file.waits) RemoveIfThere(Path(file.name, ".upd"));
    if (file.replaced) {
        if (files_.MoveOver(old, target, ignored) == common::FileCalls::Move::NotImplemented) {
            if (files_.Exists(target)) {
                RemoveIfThere(staged);
                files_.Rename(target, staged, ignored);
            }
            files_.Rename(old, target, ignored);
        }
    } else if (file.placed) {
        RemoveIfThere(target);
    }
    RemoveIfThere(staged);
    RemoveIfThere(Path(file.name, ".tmp"));
}

void FilePlacement::RollBack() {
    for (auto file = placing_.rbegin(); file != placing_.rend(); ++file) PutBack(*file);
    placing_.clear();
    committed_ = true;
}

void FilePlacement::Finish() {
    if (finished_) return;
    finished_ = true;
    for (const File& file : placing_) {
        if (file.replaced) RemoveIfThere(Path(file.name, ".old"));
    }
}

}  // namespace setup
