// Files in memory, for the tests and the fuzz targets of code that reads and
// writes through a FileStore: what is written can be read back, a missing
// file reads as an error, and writes can be made to fail.
#pragma once

#include <map>
#include <string>

#include "common/file_store.h"

namespace testsupport {

class MemoryFiles : public common::FileStore {
public:
    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            error = "file not found";
            return false;
        }
        bytes = found->second;
        return true;
    }

    bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override {
        ++replaceCalls;
        if (failWrites) {
            error = "access denied";
            return false;
        }
        files[path] = bytes;
        return true;
    }

    std::map<std::string, std::string> files;
    bool failWrites = false;
    int replaceCalls = 0;
};

}  // namespace testsupport
