// Puts a set of files into a folder all or nothing, so that a reader finds
// every file whole, its old content or its new, at every moment, and a
// failure at any step puts the folder back as it was.
//
// Each file is first written beside its place as NAME.tmp and named
// NAME.new once complete. Only when all are written do they take their
// places, each replaced file's old content kept as NAME.old until the end:
// in one step where the system can move a file over another (Windows NT),
// in two where it cannot (Windows 95/98/Me), where for a moment only the
// complete NAME.new holds the file, as common::ReadWhole reads it. What a
// placement stopped by a kill leaves is settled by the next one that places
// the same name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/whole_file.h"

namespace setup {

// What a placement needs of the system beyond the plain file calls.
class PlacementSystem {
public:
    using Progress = std::function<void(unsigned long bytesDone)>;

    virtual ~PlacementSystem() = default;
    // Creates or empties the file and writes all of `bytes` in pieces,
    // telling `progress` how many are written so far.
    virtual bool WriteInPieces(const std::string& path, const std::string& bytes, const Progress& progress,
                               std::string& error) = 0;
    // Whether another program holds the file open (a running saver).
    virtual bool InUse(const std::string& path) = 0;
    // Queues `from` to take the place of `to` when Windows next starts.
    virtual bool AtNextStart(const std::string& from, const std::string& to, std::string& error) = 0;
};

class FilePlacement {
public:
    using Progress = PlacementSystem::Progress;

    FilePlacement(std::string folder, common::FileCalls& files, PlacementSystem& system)
        : folder_(std::move(folder)), files_(files), system_(system) {}
    FilePlacement(const FilePlacement&) = delete;
    FilePlacement& operator=(const FilePlacement&) = delete;
    // Finishes a committed placement, and rolls back one that was not.
    ~FilePlacement();

    // Writes `bytes` as NAME.new. A file whose place is in use when it is
    // put in place may wait for Windows' next start (`mayWait`); any other
    // file in use is a failure. False with `error` naming the file.
    bool Stage(const std::string& name, const std::string& bytes, bool mayWait, std::string& error,
               const Progress& progress);
    // Puts every staged file in place; on failure puts back what it had
    // already replaced. `waiting` is set when a file waits for the next start.
    bool Commit(std::string& error, bool& waiting);
    // Takes back everything staged or placed (until Finish).
    void RollBack();
    // Deletes the replaced files kept for a roll-back: the placement stands.
    void Finish();

private:
    struct File {
        std::string name;
        bool mayWait = false;
        bool staged = false;
        bool placed = false;
        bool replaced = false;  // the old content kept whole as NAME.old
        bool waits = false;     // as NAME.upd until the next start
    };
    std::string Path(const std::string& name, const char* suffix = "") const;
    bool Settle(const std::string& name, std::string& error);
    bool Place(File& file, std::string& error, bool& waiting);
    void PutBack(const File& file);
    void RemoveIfThere(const std::string& path);
    std::string Reason(const std::string& name, const char* what, const std::string& why) const;

    std::string folder_;
    common::FileCalls& files_;
    PlacementSystem& system_;
    std::vector<File> placing_;
    bool committed_ = false;
    bool finished_ = false;
};

}  // namespace setup
