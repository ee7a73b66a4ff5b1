#include "setup/placement.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "tests/support/killable_files.h"

namespace setup {
namespace {

using Files = testsupport::KillableFiles::Files;

const char kFolder[] = "C:\\Saver";
const std::string kSaver = std::string(kFolder) + "\\vorsaver.scr";
const std::string kMovie = std::string(kFolder) + "\\vorlaks.swf";

// The system beside the files: which file a running program holds, and
// the replacements queued for Windows' next start.
class FakeSystem : public PlacementSystem {
public:
    explicit FakeSystem(testsupport::KillableFiles& files) : files_(files) {}

    bool WriteInPieces(const std::string& path, const std::string& bytes, const Progress& progress,
                       std::string& error) override {
        if (!files_.Write(path, bytes, error)) return false;
        if (progress) progress(static_cast<unsigned long>(bytes.size()));
        return true;
    }
    bool InUse(const std::string& path) override { return inUse.count(path) != 0; }
    bool AtNextStart(const std::string& from, const std::string& to, std::string& error) override {
        if (!files_.Change(error)) return false;
        queued.push_back({from, to});
        return true;
    }

    std::set<std::string> inUse;
    std::vector<std::pair<std::string, std::string>> queued;

private:
    testsupport::KillableFiles& files_;
};

// An install of the saver and its movie, as the setup program runs one.
bool Install(testsupport::KillableFiles& files, FakeSystem& system, const std::string& saver,
             const std::string& movie, std::string& error) {
    FilePlacement placement(kFolder, files, system);
    if (!placement.Stage("vorsaver.scr", saver, true, error, nullptr) ||
        !placement.Stage("vorlaks.swf", movie, false, error, nullptr)) {
        placement.RollBack();
        return false;
    }
    bool waiting = false;
    if (!placement.Commit(error, waiting)) return false;
    placement.Finish();
    return true;
}

// What a reader finds: the file, or where it is missing, its complete .new.
const char* Found(const Files& files, const std::string& path, std::string& bytes) {
    for (const std::string& name : {path, path + ".new"}) {
        const auto found = files.find(name);
        if (found != files.end()) {
            bytes = found->second;
            return bytes.c_str();
        }
    }
    return nullptr;
}

std::string Listing(const Files& files) {
    std::string text;
    for (const auto& file : files) text += " " + file.first.substr(file.first.rfind('\\') + 1) + "=" + file.second;
    return text;
}

// The states a stopped install or replacement can leave the saver's file
// in, with the content a reader takes from each.
struct Start {
    const char* name;
    Files files;
    std::set<std::string> reads;  // "": nothing
};

std::vector<Start> StartingStates() {
    const std::string f = kSaver;
    return {
        {"the file alone", {{f, "old"}}, {"old"}},
        {"file + .new", {{f, "old"}, {f + ".new", "left"}}, {"old"}},
        {".new alone", {{f + ".new", "old"}}, {"old"}},
        {"file + .tmp", {{f, "old"}, {f + ".tmp", "pa"}}, {"old"}},
        {".new + .tmp", {{f + ".new", "old"}, {f + ".tmp", "pa"}}, {"old"}},
        {"file + .new + .tmp", {{f, "old"}, {f + ".new", "left"}, {f + ".tmp", "pa"}}, {"old"}},
        {"file + .old", {{f, "old"}, {f + ".old", "older"}}, {"old"}},
        {".old + .new", {{f + ".old", "older"}, {f + ".new", "old"}}, {"old"}},
        // Only an uninstall stopped half-way leaves this; the kept copy may come back.
        {".old alone", {{f + ".old", "old"}}, {"", "old"}},
        {"file + a waiting .upd", {{f, "old"}, {f + ".upd", "stale"}}, {"old"}},
        {"nothing", {}, {""}},
    };
}

void ExpectFound(const Files& files, const std::string& path, std::set<std::string> allowed,
                 const std::string& context) {
    std::string bytes;
    const char* found = Found(files, path, bytes);
    EXPECT_TRUE(allowed.count(found == nullptr ? "" : found) != 0)
        << context << ": a reader of " << path << " finds " << (found ? "\"" + bytes + "\"" : "nothing") << " in"
        << Listing(files);
}

// The install after it, with the system working, settles what was left and
// leaves nothing but the files.
void ExpectTheNextInstallTidies(const testsupport::KillableFiles& left, const std::string& context) {
    testsupport::KillableFiles files = left.Restarted();
    FakeSystem system(files);
    std::string error;
    EXPECT_TRUE(Install(files, system, "newer saver", "newer movie", error)) << context << ": " << error;
    EXPECT_EQ(files.files, (Files{{kSaver, "newer saver"}, {kMovie, "newer movie"}}))
        << context << ": the next install leaves" << Listing(files.files);
}

TEST(Placement, AKillAfterAnyCallFromAnyStateLeavesEveryFileOldOrNew) {
    testsupport::ForEveryStop(StartingStates(), testsupport::Stop::Kill,
                              [](testsupport::KillableFiles& files, const Start& start, const std::string& context) {
        FakeSystem system(files);
        std::string error;
        const bool installed = Install(files, system, "new saver", "new movie", error);
        if (!files.Stopped()) {
            EXPECT_TRUE(installed) << context << ": " << error;
            EXPECT_EQ(files.files, (Files{{kSaver, "new saver"}, {kMovie, "new movie"}}))
                << context << ": a finished install leaves" << Listing(files.files);
            return;
        }
        std::set<std::string> saver = start.reads;
        saver.insert("new saver");
        ExpectFound(files.files, kSaver, saver, context);
        ExpectFound(files.files, kMovie, {"", "new movie"}, context);
        ExpectTheNextInstallTidies(files, context);
    });
}

// A failing call (a full disk, a file held open) instead: the install says
// so and puts every file back as a reader found it before, or it stands
// whole.
TEST(Placement, AFailingCallFromAnyStateLeavesTheFolderAsItWasOrInstalled) {
    testsupport::ForEveryStop(StartingStates(), testsupport::Stop::Fail,
                              [](testsupport::KillableFiles& files, const Start& start, const std::string& context) {
        FakeSystem system(files);
        std::string error;
        const bool installed = Install(files, system, "new saver", "new movie", error);
        if (!files.Stopped()) return;
        if (installed) {
            ExpectFound(files.files, kSaver, {"new saver"}, context);
            ExpectFound(files.files, kMovie, {"new movie"}, context);
        } else {
            EXPECT_NE(error.find(" could not be "), std::string::npos) << context << ": " << error;
            ExpectFound(files.files, kSaver, start.reads, context);
            ExpectFound(files.files, kMovie, {""}, context);
        }
        ExpectTheNextInstallTidies(files, context);
    });
}

// The saver running: its new copy waits beside it, whole, for Windows' next
// start, and the running one stays in place at every step.
TEST(Placement, ASaverInUseWaitsForTheNextStartWhereverItIsStopped) {
    for (int kill = 0;; ++kill) {
        const std::string context = "killed after " + std::to_string(kill) + " calls";
        testsupport::KillableFiles files;
        files.files = {{kSaver, "old"}};
        files.windows95 = true;
        files.killAfter = kill;
        FakeSystem system(files);
        system.inUse.insert(kSaver);
        std::string error;
        const bool installed = Install(files, system, "new saver", "new movie", error);
        EXPECT_EQ(files.files.at(kSaver), "old") << context;
        if (!files.killed) {
            EXPECT_TRUE(installed) << error;
            EXPECT_EQ(files.files,
                      (Files{{kSaver, "old"}, {kSaver + ".upd", "new saver"}, {kMovie, "new movie"}}));
            ASSERT_EQ(system.queued.size(), 1u);
            EXPECT_EQ(system.queued[0], std::make_pair(kSaver + ".upd", kSaver));
            break;
        }
        ExpectFound(files.files, kMovie, {"", "new movie"}, context);
        ExpectTheNextInstallTidies(files, context);
    }
}

TEST(Placement, AFileInUseThatMayNotWaitFailsTheInstallAndNamesIt) {
    testsupport::KillableFiles files;
    files.files = {{kSaver, "old saver"}, {kMovie, "old movie"}};
    FakeSystem system(files);
    system.inUse.insert(kMovie);
    std::string error;
    EXPECT_FALSE(Install(files, system, "new saver", "new movie", error));
    EXPECT_EQ(error, "vorlaks.swf in C:\\Saver is in use by another program. Close it and try again.");
    EXPECT_EQ(files.files, (Files{{kSaver, "old saver"}, {kMovie, "old movie"}}));
}

}  // namespace
}  // namespace setup
