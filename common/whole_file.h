// Replacing a file whole, so that a reader never finds half a file and a
// failed write loses nothing, on every Windows: where the system can move a
// file over another in one step (Windows NT), that step; where it cannot
// (Windows 95, 98 and Me export MoveFileEx but do not implement it), a
// sequence that always leaves one complete copy where a reader looks.
#pragma once

#include <string>

namespace common {

// The few file calls the sequence needs, so that it can be tried against a
// system that fails at any step.
class FileCalls {
public:
    enum class Move { Done, Failed, NotImplemented };

    virtual ~FileCalls() = default;
    virtual bool Exists(const std::string& path) = 0;
    // False, with the system's reason, where the file is marked read-only.
    virtual bool Writable(const std::string& path, std::string& error) = 0;
    virtual bool Read(const std::string& path, std::string& bytes, std::string& error) = 0;
    // Creates or empties the file and writes all of `bytes`, then closes it.
    virtual bool Write(const std::string& path, const std::string& bytes, std::string& error) = 0;
    // Moves `from` over `to` in one step, replacing it.
    virtual Move MoveOver(const std::string& from, const std::string& to, std::string& error) = 0;
    // Renames `from` to `to`, which must not exist.
    virtual bool Rename(const std::string& from, const std::string& to, std::string& error) = 0;
    virtual bool Remove(const std::string& path, std::string& error) = 0;
    // Copies `from` over `to`, replacing it.
    virtual bool Copy(const std::string& from, const std::string& to, std::string& error) = 0;
};

// The new content goes to "<path>.tmp" first. Where the system cannot move
// it over the file in one step, it becomes "<path>.new" once complete, the
// old file is removed and "<path>.new" takes its name: at every moment
// either the file or a complete "<path>.new" holds whole content.
bool ReplaceWhole(FileCalls& calls, const std::string& path, const std::string& bytes, std::string& error);

// Reads the file; where it is missing but a complete "<path>.new" was left
// by a replacement that could not finish, reads that.
bool ReadWhole(FileCalls& calls, const std::string& path, std::string& bytes, std::string& error);

}  // namespace common
