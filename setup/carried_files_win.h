// The files the running setup program carries (setup/payload.h), read from
// its own file: on the CD, so any read may fail when the CD is taken out.
#pragma once

#include <windows.h>

#include <string>

#include "setup/payload.h"

namespace setup {

class CarriedFiles {
public:
    CarriedFiles() = default;
    CarriedFiles(const CarriedFiles&) = delete;
    CarriedFiles& operator=(const CarriedFiles&) = delete;
    ~CarriedFiles();

    // Opens the program's own file; false with `error` when it cannot be
    // read. A program that carries nothing opens with no files.
    bool Open(const std::string& program, std::string& error);
    bool Carries() const { return !payload_.files.empty(); }
    const Payload& Files() const { return payload_; }

    // The bytes of a carried file, or of the bare program (the uninstaller).
    bool Read(const std::string& name, std::string& bytes, std::string& error);
    bool ReadProgram(std::string& bytes, std::string& error);

private:
    bool ReadAt(DWORD offset, DWORD size, std::string& bytes);
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD size_ = 0;
    Payload payload_;
};

}  // namespace setup
