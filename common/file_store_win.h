// Whole-file reads and replacements on Windows.
#pragma once

#include <string>

#include "common/file_store.h"

namespace common {

class WinFileStore : public FileStore {
public:
    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override;
    // Replaces the file whole on every Windows (see whole_file.h).
    bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override;
};

}  // namespace common
