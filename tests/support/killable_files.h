// Files in memory behind common::FileCalls, as Windows NT answers them or as
// Windows 95/98/Me do (no one-step move), that can be killed after any
// number of changing calls, as a power cut or TerminateProcess would: the
// calls that were made stand, a write under way is left half done, and
// nothing after it happens. Or a single call can fail, as a full disk or a
// file held open would make it.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/whole_file.h"

namespace testsupport {

class KillableFiles : public common::FileCalls {
public:
    using Files = std::map<std::string, std::string>;

    Files files;
    bool windows95 = false;  // MoveOver answers NotImplemented
    // The calls that change a file (Write, MoveOver, Rename, Remove, Copy)
    // allowed before the kill; -1: never killed.
    int killAfter = -1;
    // The changing call, counted from 0, that fails without effect; -1: none.
    int failAt = -1;
    int changes = 0;  // changing calls made so far, the failing one included
    bool killed = false;

    bool Exists(const std::string& path) override { return !killed && files.count(path) != 0; }
    bool Writable(const std::string&, std::string& error) override { return !killed || Fail(error); }
    bool Read(const std::string& path, std::string& bytes, std::string& error) override {
        if (killed || files.count(path) == 0) return Fail(error);
        bytes = files[path];
        return true;
    }
    bool Write(const std::string& path, const std::string& bytes, std::string& error) override {
        if (!Change(error)) {
            // Killed while writing: the file is there, with part of its bytes.
            if (killed && changes == killAfter + 1) files[path] = bytes.substr(0, bytes.size() / 2);
            return false;
        }
        files[path] = bytes;
        return true;
    }
    Move MoveOver(const std::string& from, const std::string& to, std::string& error) override {
        if (!killed && windows95) return Move::NotImplemented;  // not counted: nothing happens
        if (!Change(error) || files.count(from) == 0) return Fail(error), Move::Failed;
        files[to] = files[from];
        files.erase(from);
        return Move::Done;
    }
    bool Rename(const std::string& from, const std::string& to, std::string& error) override {
        if (!Change(error) || files.count(from) == 0 || files.count(to) != 0) return Fail(error);
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Remove(const std::string& path, std::string& error) override {
        if (!Change(error) || files.count(path) == 0) return Fail(error);
        files.erase(path);
        return true;
    }
    bool Copy(const std::string& from, const std::string& to, std::string& error) override {
        if (!Change(error)) {
            if (killed && changes == killAfter + 1 && files.count(from) != 0) {
                files[to] = files[from].substr(0, files[from].size() / 2);
            }
            return false;
        }
        if (files.count(from) == 0) return Fail(error);
        files[to] = files[from];
        return true;
    }

    // The files a program started after the kill finds.
    KillableFiles Restarted() const {
        KillableFiles next;
        next.files = files;
        next.windows95 = windows95;
        return next;
    }

    // Whether the run was stopped: killed, or its failing call was reached.
    bool Stopped() const { return killed || (failAt >= 0 && changes > failAt); }

    // Counts a changing call made elsewhere (a queue the system keeps):
    // false where the process is dead or the call fails.
    bool Change(std::string& error) {
        if (killed) return Fail(error);
        const int index = changes++;
        if (killAfter >= 0 && index >= killAfter) {
            killed = true;
            return Fail(error);
        }
        if (index == failAt) return Fail(error);
        return true;
    }

private:
    static bool Fail(std::string& error) {
        error = "the call failed";
        return false;
    }
};

// How a run is stopped at its chosen call.
enum class Stop { Kill, Fail };

// Runs `attempt(files, start, context)` from each starting state (each with
// its `files`), on Windows NT's calls and on 95's, stopped at each changing
// call in turn until a run reaches its end unstopped, which is attempted
// too. Prints how many stopped runs there were.
template <class State, class Attempt>
void ForEveryStop(const std::vector<State>& states, Stop stop, Attempt attempt) {
    int stopped = 0;
    for (bool windows95 : {false, true}) {
        for (const State& start : states) {
            for (int call = 0;; ++call) {
                KillableFiles files;
                files.files = start.files;
                files.windows95 = windows95;
                (stop == Stop::Kill ? files.killAfter : files.failAt) = call;
                const std::string context = std::string(windows95 ? "Windows 95" : "Windows NT") + ", from " +
                                            start.name + ", " + (stop == Stop::Kill ? "killed after " : "failing at ") +
                                            std::to_string(call) + " calls";
                attempt(files, start, context);
                if (!files.Stopped()) break;
                ++stopped;
            }
        }
    }
    std::printf("[ states ] %d runs stopped: from %d starting states, on NT's calls and 95's, at each call\n", stopped,
                static_cast<int>(states.size()));
}

}  // namespace testsupport
