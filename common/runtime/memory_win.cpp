// Memory for the shipped programs, from the process heap, and the C++
// library's throwing routines. The programs are built without exceptions:
// these definitions take the place of the library's, so that its exception
// machinery (unwinder, type information, its thread support) stays out.
// What would have thrown ends the program with a box that says why, as an
// exception nobody catches would have done.
#include <windows.h>

#include <cstddef>
#include <new>

extern "C" {

void* malloc(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }

void* calloc(std::size_t count, std::size_t size) {
    if (size != 0 && count > static_cast<std::size_t>(-1) / size) return nullptr;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * size != 0 ? count * size : 1);
}

void* realloc(void* block, std::size_t size) {
    if (block == nullptr) return malloc(size);
    return HeapReAlloc(GetProcessHeap(), 0, block, size != 0 ? size : 1);
}

void free(void* block) {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // extern "C"

namespace {

[[noreturn]] void Fail(const char* why) {
    FatalAppExitA(0, why);
    ExitProcess(3);
}

void* Allocate(std::size_t size) {
    if (void* block = malloc(size)) return block;
    Fail("Out of memory.");
}

}  // namespace

namespace std {
const nothrow_t nothrow{};
}  // namespace std

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return malloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return malloc(size); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }
void operator delete[](void* block, std::size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }

namespace std {
void __throw_bad_alloc() { Fail("Out of memory."); }
void __throw_length_error(const char*) { Fail("Out of memory."); }
void __throw_logic_error(const char*) { Fail("Internal error."); }
void __throw_out_of_range(const char*) { Fail("Internal error."); }
void __throw_out_of_range_fmt(const char*, ...) { Fail("Internal error."); }
void __throw_invalid_argument(const char*) { Fail("Internal error."); }
void __throw_bad_function_call() { Fail("Internal error."); }
void __throw_bad_optional_access() { Fail("Internal error."); }
void __throw_bad_array_new_length() { Fail("Out of memory."); }
}  // namespace std

// The library's default handler prints a demangled type name: the demangler
// alone is some 45 KB.
namespace __gnu_cxx {
void __verbose_terminate_handler() { Fail("Internal error."); }
}  // namespace __gnu_cxx
