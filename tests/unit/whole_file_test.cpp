#include "common/whole_file.h"

#include <gtest/gtest.h>

#include "tests/support/killable_files.h"

#include <map>
#include <set>

namespace common {
namespace {

// Files in memory, as Windows NT or as Windows 95 (no one-step move), and a
// system that fails at a chosen call, as a full disk or a crash would.
class FakeCalls : public FileCalls {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> readOnly;
    bool windows95 = false;
    std::string failing;  // "Write", "MoveOver", "Rename <to>", "Remove <path>"

    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool Writable(const std::string& path, std::string& error) override {
        return readOnly.count(path) == 0 || Fail("read-only", error);
    }
    bool Read(const std::string& path, std::string& bytes, std::string& error) override {
        if (!Exists(path)) return Fail("not found", error);
        bytes = files[path];
        return true;
    }
    bool Write(const std::string& path, const std::string& bytes, std::string& error) override {
        if (failing == "Write") {
            files[path] = bytes.substr(0, bytes.size() / 2);  // half written, then the disk was full
            return Fail("disk full", error);
        }
        files[path] = bytes;
        return true;
    }
    Move MoveOver(const std::string& from, const std::string& to, std::string& error) override {
        if (windows95) return Move::NotImplemented;
        if (failing == "MoveOver") {
            Fail("sharing violation", error);
            return Move::Failed;
        }
        files[to] = files[from];
        files.erase(from);
        return Move::Done;
    }
    bool Rename(const std::string& from, const std::string& to, std::string& error) override {
        if (failing == "Rename " + to || Exists(to) || !Exists(from)) return Fail("cannot rename", error);
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Remove(const std::string& path, std::string& error) override {
        if (failing == "Remove " + path || !Exists(path)) return Fail("cannot remove", error);
        files.erase(path);
        return true;
    }
    bool Copy(const std::string& from, const std::string& to, std::string& error) override {
        if (!Exists(from)) return Fail("cannot copy", error);
        files[to] = files[from];
        return true;
    }

private:
    static bool Fail(const char* why, std::string& error) {
        error = why;
        return false;
    }
};

const char kPath[] = "C:\\Saver\\tarvordat.pvz";

TEST(WholeFile, ReplacesWithOrWithoutAOneStepMove) {
    for (bool windows95 : {false, true}) {
        SCOPED_TRACE(windows95 ? "Windows 95" : "Windows NT");
        for (bool existed : {false, true}) {
            FakeCalls calls;
            calls.windows95 = windows95;
            if (existed) calls.files[kPath] = "old";
            std::string error;
            EXPECT_TRUE(ReplaceWhole(calls, kPath, "new content", error)) << error;
            EXPECT_EQ(calls.files, (std::map<std::string, std::string>{{kPath, "new content"}}))
                << "only the file is left";
        }
    }
}

// Wherever the system fails, a reader still finds one whole copy: the old
// content or the new, never a part, and the call says it failed.
TEST(WholeFile, AFailureAtAnyStepLeavesWholeContentForTheReader) {
    struct Case { bool windows95; std::string failing; const char* readBack; };
    const std::string path = kPath;
    const Case cases[] = {
        {false, "Write", "old"},
        {false, "MoveOver", "old"},
        {true, "Write", "old"},
        {true, "Rename " + path + ".new", "old"},
        {true, "Remove " + path, "old"},
        // The old file is gone and the last step failed: the complete copy is read.
        {true, "Rename " + path, "new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        FakeCalls calls;
        calls.windows95 = c.windows95;
        calls.files[kPath] = "old";
        calls.failing = c.failing;
        std::string error;
        EXPECT_FALSE(ReplaceWhole(calls, kPath, "new", error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(calls.files.count(path + ".tmp"), 0u) << "no partial file is left behind";
        std::string bytes;
        ASSERT_TRUE(ReadWhole(calls, kPath, bytes, error)) << error;
        EXPECT_EQ(bytes, c.readBack);

        // The next write, with the system working again, tidies up.
        calls.failing.clear();
        EXPECT_TRUE(ReplaceWhole(calls, kPath, "newer", error)) << error;
        EXPECT_EQ(calls.files, (std::map<std::string, std::string>{{kPath, "newer"}}));
    }
}

TEST(WholeFile, AReadOnlyFileIsLeftAsItWas) {
    for (bool windows95 : {false, true}) {
        FakeCalls calls;
        calls.windows95 = windows95;
        calls.files[kPath] = "old";
        calls.readOnly.insert(kPath);
        std::string error;
        EXPECT_FALSE(ReplaceWhole(calls, kPath, "new", error));
        EXPECT_EQ(error, "read-only");
        EXPECT_EQ(calls.files, (std::map<std::string, std::string>{{kPath, "old"}}));
    }
}

TEST(WholeFile, AMissingFileWithoutACompleteCopyIsAnError) {
    FakeCalls calls;
    calls.files[std::string(kPath) + ".tmp"] = "par";  // a write that never finished
    std::string bytes;
    std::string error;
    EXPECT_FALSE(ReadWhole(calls, kPath, bytes, error));
    EXPECT_EQ(error, "not found");
}

// Every state an earlier kill can leave, then a kill after each single file
// call of the next write, with and without a one-step move: a reader finds
// exactly the old content or the new, and the write after that succeeds and
// leaves nothing but the file.
struct Start {
    const char* name;
    testsupport::KillableFiles::Files files;
    const char* reads;  // what a reader finds before the write; nullptr: nothing
};

std::vector<Start> StartingStates() {
    const std::string f = kPath, n = f + ".new", t = f + ".tmp";
    return {
        {"the file alone", {{f, "old"}}, "old"},
        {"file + .new", {{f, "old"}, {n, "left"}}, "old"},
        {".new alone", {{n, "old"}}, "old"},
        {"file + .tmp", {{f, "old"}, {t, "pa"}}, "old"},
        {".new + .tmp", {{n, "old"}, {t, "pa"}}, "old"},
        {"file + .new + .tmp", {{f, "old"}, {n, "left"}, {t, "pa"}}, "old"},
        {"nothing", {}, nullptr},
    };
}

std::string Listing(const testsupport::KillableFiles::Files& files) {
    std::string text;
    for (const auto& file : files) text += " " + file.first.substr(file.first.rfind('\\') + 1) + "=" + file.second;
    return text;
}

// What a program started afterwards finds, and that its own write tidies up.
void ExpectWholeAndTidied(const testsupport::KillableFiles& left, const Start& start, const std::string& context) {
    testsupport::KillableFiles next = left.Restarted();
    std::string bytes, error;
    if (ReadWhole(next, kPath, bytes, error)) {
        EXPECT_TRUE((start.reads != nullptr && bytes == start.reads) || bytes == "new content")
            << context << ": a reader finds \"" << bytes << "\" in" << Listing(left.files);
    } else {
        EXPECT_EQ(start.reads, nullptr) << context << ": a reader finds nothing in" << Listing(left.files);
    }
    EXPECT_TRUE(ReplaceWhole(next, kPath, "newer", error)) << context << ": " << error << " in" << Listing(left.files);
    EXPECT_EQ(next.files, (testsupport::KillableFiles::Files{{kPath, "newer"}}))
        << context << ": the next write leaves" << Listing(next.files);
}

TEST(WholeFile, AKillAfterAnyCallFromAnyStateLeavesTheOldOrTheNewContent) {
    testsupport::ForEveryStop(StartingStates(), testsupport::Stop::Kill,
                              [](testsupport::KillableFiles& calls, const Start& start, const std::string& context) {
        std::string error;
        const bool wrote = ReplaceWhole(calls, kPath, "new content", error);
        if (!calls.Stopped()) {
            EXPECT_TRUE(wrote) << context << ": " << error;
            EXPECT_EQ(calls.files, (testsupport::KillableFiles::Files{{kPath, "new content"}}))
                << context << ": a finished write leaves" << Listing(calls.files);
            return;
        }
        ExpectWholeAndTidied(calls, start, context);
    });
}

// The same from every state, where one call fails instead (a full disk, a
// file held open): the write says so unless what it made stands, and a
// reader finds the old content or the new.
TEST(WholeFile, AFailingCallFromAnyStateLeavesTheOldOrTheNewContent) {
    testsupport::ForEveryStop(StartingStates(), testsupport::Stop::Fail,
                              [](testsupport::KillableFiles& calls, const Start& start, const std::string& context) {
        std::string error;
        const bool wrote = ReplaceWhole(calls, kPath, "new content", error);
        if (!calls.Stopped()) return;
        std::string bytes;
        testsupport::KillableFiles reader = calls.Restarted();
        if (wrote) {
            EXPECT_TRUE(ReadWhole(reader, kPath, bytes, error) && bytes == "new content")
                << context << ": reported written, but" << Listing(calls.files);
        } else {
            EXPECT_FALSE(error.empty()) << context;
        }
        // Only a partial copy from before, where the failing call came first.
        const std::string partial = std::string(kPath) + ".tmp";
        EXPECT_TRUE(calls.files.count(partial) == 0 || calls.files[partial] == "pa")
            << context << ": this write's partial copy is left in" << Listing(calls.files);
        ExpectWholeAndTidied(calls, start, context);
    });
}

}  // namespace
}  // namespace common
