// The shipped programs are built without exceptions. These definitions take
// the place of the C++ library's throwing ones, so that the library's
// exception machinery (unwinder, type information, its thread support, which
// imports functions that Windows 95 lacks) stays out of the programs. What
// would have thrown ends the program with a box that says why, as an
// exception nobody catches would have done.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Fail(const char* why) {
    FatalAppExitA(0, why);
    ExitProcess(3);
}

void* Allocate(std::size_t size) {
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    Fail("Out of memory.");
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

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
