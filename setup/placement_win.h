// Puts a set of files into a folder all or nothing: each is first written
// beside its place as NAME.new; only when all are written do they take
// their places, the files they replace kept as NAME.old until the end, so
// that a failure at any step puts the folder back as it was.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace setup {

class Placement {
public:
    using Progress = std::function<void(unsigned long bytesDone)>;

    explicit Placement(std::string folder) : folder_(std::move(folder)) {}
    ~Placement();

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
    // (The destructor finishes a committed placement, and rolls back one
    // that was not.)
    void Finish();

private:
    struct File {
        std::string name;
        bool mayWait = false;
        bool staged = false;
        bool placed = false;
        bool replaced = false;  // an older file kept as NAME.old
        bool waits = false;     // as NAME.upd until the next start
    };
    std::string Path(const std::string& name, const char* suffix = "") const;

    std::string folder_;
    std::vector<File> files_;
    bool committed_ = false;
    bool finished_ = false;
};

}  // namespace setup
