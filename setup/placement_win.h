// The placement of setup/placement.h on Windows' own file calls: where a
// file in use waits for the next start (MoveFileEx's queue on NT,
// wininit.ini on Windows 95/98/Me), and how a busy file is told.
#pragma once

#include <string>

#include "common/file_store_win.h"
#include "setup/placement.h"

namespace setup {

class WinPlacementSystem : public PlacementSystem {
public:
    bool WriteInPieces(const std::string& path, const std::string& bytes, const Progress& progress,
                       std::string& error) override;
    bool InUse(const std::string& path) override;
    bool AtNextStart(const std::string& from, const std::string& to, std::string& error) override;
};

// Held ahead of the placement that uses them, so that they outlive it.
struct WindowsFileCalls {
    common::WinFileCalls files;
    WinPlacementSystem system;
};

class Placement : private WindowsFileCalls, public FilePlacement {
public:
    explicit Placement(std::string folder) : FilePlacement(std::move(folder), files, system) {}
};

}  // namespace setup
