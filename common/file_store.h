// Whole-file access, so that a file the programs write is replaced in one
// piece and a failed write loses nothing.
#pragma once

#include <string>

namespace common {

class FileStore {
public:
    virtual ~FileStore() = default;
    // Reads the whole file; on failure returns false and a reason in `error`.
    virtual bool ReadAll(const std::string& path, std::string& bytes, std::string& error) = 0;
    // Replaces the file whole (a new file, then a rename over the old one);
    // on failure the old file is untouched, returns false and a reason.
    virtual bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) = 0;
};

}  // namespace common
