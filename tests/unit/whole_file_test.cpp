#include "common/whole_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace common
