#include "common/whole_file.h"

namespace common {

namespace {

std::string Complete(const std::string& path) { return path + ".new"; }
std::string Partial(const std::string& path) { return path + ".tmp"; }

// Without a one-step move: the complete copy is named first, then the old
// file goes and the copy takes its place.
bool ReplaceInSteps(FileCalls& calls, const std::string& path, std::string& error) {
    const std::string complete = Complete(path);
    std::string ignored;
    // Settled first: a spare copy here stands beside the file a reader takes.
    if (calls.Exists(complete) && !calls.Remove(complete, error)) return false;
    if (!calls.Rename(Partial(path), complete, error)) return false;
    if (calls.Exists(path) && !calls.Remove(path, error)) {
        calls.Remove(complete, ignored);
        return false;
    }
    // Should this fail, the complete copy stays for the reader and the next write.
    return calls.Rename(complete, path, error);
}

// A write that was stopped between its steps may have left the complete copy
// alone, without the file: it takes the file's name before anything else
// happens, so that the next steps, which remove a spare copy, never remove
// the only one.
bool Settle(FileCalls& calls, const std::string& path, std::string& error) {
    if (calls.Exists(path) || !calls.Exists(Complete(path))) return true;
    return calls.Rename(Complete(path), path, error);
}

}  // namespace

bool ReplaceWhole(FileCalls& calls, const std::string& path, const std::string& bytes, std::string& error) {
    // A file marked read-only is left as it is, as Windows leaves it when it
    // would be written in place (not every system refuses the move).
    if (!calls.Writable(path, error)) return false;
    if (!Settle(calls, path, error)) return false;
    const std::string partial = Partial(path);
    std::string ignored;
    if (!calls.Write(partial, bytes, error)) {
        calls.Remove(partial, ignored);
        return false;
    }
    bool ok = false;
    switch (calls.MoveOver(partial, path, error)) {
    case FileCalls::Move::Done:
        ok = true;
        break;
    case FileCalls::Move::Failed:
        break;
    case FileCalls::Move::NotImplemented:
        ok = ReplaceInSteps(calls, path, error);
        break;
    }
    if (!ok && calls.Exists(partial)) calls.Remove(partial, ignored);
    if (ok && calls.Exists(Complete(path))) calls.Remove(Complete(path), ignored);
    return ok;
}

bool ReadWhole(FileCalls& calls, const std::string& path, std::string& bytes, std::string& error) {
    if (!calls.Exists(path) && calls.Exists(Complete(path))) return calls.Read(Complete(path), bytes, error);
    return calls.Read(path, bytes, error);
}

}  // namespace common
