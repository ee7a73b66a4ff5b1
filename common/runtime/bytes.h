// Copying and filling memory for the shipped programs' memcpy, memmove and
// memset (c_library_win.cpp). Portable, so that the unit tests hold them
// against the host's C library and bench/ counts what the programs run.
#pragma once

#include <cstddef>

namespace runtime {

// memcpy: the regions must not overlap, unless `to` lies below `from`.
void CopyBytes(void* to, const void* from, std::size_t count);
// memmove: any overlap.
void MoveBytes(void* to, const void* from, std::size_t count);
// memset: `count` bytes of the low byte of `value`.
void FillBytes(void* to, int value, std::size_t count);

}  // namespace runtime
