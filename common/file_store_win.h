// Whole-file reads and replacements on Windows.
#pragma once

#include <string>

#include "common/file_store.h"
#include "common/whole_file.h"

namespace common {

// The file calls of whole-file replacement, as Windows answers them: on
// Windows 95/98/Me, MoveFileEx answers that it is not implemented.
class WinFileCalls : public FileCalls {
public:
    bool Exists(const std::string& path) override;
    bool Writable(const std::string& path, std::string& error) override;
    bool Read(const std::string& path, std::string& bytes, std::string& error) override;
    bool Write(const std::string& path, const std::string& bytes, std::string& error) override;
    Move MoveOver(const std::string& from, const std::string& to, std::string& error) override;
    bool Rename(const std::string& from, const std::string& to, std::string& error) override;
    bool Remove(const std::string& path, std::string& error) override;
    bool Copy(const std::string& from, const std::string& to, std::string& error) override;
};

class WinFileStore : public FileStore {
public:
    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override;
    // Replaces the file whole on every Windows (see whole_file.h).
    bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override;
};

}  // namespace common
