#include "setup/carried_files_win.h"

#include "common/system_text_win.h"
#include "setup/system_win.h"

namespace setup {

CarriedFiles::~CarriedFiles() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool CarriedFiles::ReadAt(DWORD offset, DWORD size, std::string& bytes) {
    bytes.assign(size, '\0');
    if (SetFilePointer(file_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        return false;
    }
    DWORD done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file_, &bytes[done], size - done, &got, nullptr)) return false;
        if (got == 0) {
            SetLastError(ERROR_HANDLE_EOF);
            return false;
        }
        done += got;
    }
    return true;
}

bool CarriedFiles::Open(const std::string& program, std::string& error) {
    file_ = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    size_ = GetFileSize(file_, nullptr);
    std::string tail;
    const DWORD first = size_ < 4096 ? size_ : 4096;
    if (!ReadAt(size_ - first, first, tail)) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    std::uint32_t needed = 0;
    PayloadRead read = ReadPayload(tail, size_, payload_, needed);
    if (read == PayloadRead::Damaged && needed > first && needed <= size_) {
        if (!ReadAt(size_ - needed, needed, tail)) {
            error = common::SystemErrorText(GetLastError());
            return false;
        }
        read = ReadPayload(tail, size_, payload_, needed);
    }
    if (read == PayloadRead::Damaged) {
        error = "the setup program is damaged (its files are incomplete)";
        return false;
    }
    return true;
}

bool CarriedFiles::Read(const std::string& name, std::string& bytes, std::string& error) {
    const PayloadFile* file = payload_.Find(name);
    if (file == nullptr) {
        error = "the setup program does not carry it";
        return false;
    }
    if (!ReadAt(file->offset, file->size, bytes)) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

bool CarriedFiles::ReadProgram(std::string& bytes, std::string& error) {
    const DWORD size = payload_.programSize != 0 ? payload_.programSize : size_;
    if (!ReadAt(0, size, bytes)) {
        error = common::SystemErrorText(GetLastError());
        return false;
    }
    return true;
}

}  // namespace setup
