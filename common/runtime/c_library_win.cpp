// What the compiler and the C++ library headers call by its C name, for the
// shipped programs, which link no C library (see entry_win.cpp): the memory
// and string routines, the few mathematical ones, strtod, and the helpers
// GCC calls for 64-bit division and for probing a large stack frame.
//
// Built with -fno-builtin and without loop-to-call rewriting, so that these
// loops do not turn back into calls to themselves.
#include <cstddef>
#include <cstdint>

#include "common/runtime/bytes.h"
#include "common/runtime/numbers.h"

extern "C" {

void* memcpy(void* to, const void* from, std::size_t count) {
    runtime::CopyBytes(to, from, count);
    return to;
}

void* memmove(void* to, const void* from, std::size_t count) {
    runtime::MoveBytes(to, from, count);
    return to;
}

void* memset(void* to, int value, std::size_t count) {
    runtime::FillBytes(to, value, count);
    return to;
}

int memcmp(const void* left, const void* right, std::size_t count) {
    const auto* l = static_cast<const unsigned char*>(left);
    const auto* r = static_cast<const unsigned char*>(right);
    for (; count--; ++l, ++r) {
        if (*l != *r) return *l < *r ? -1 : 1;
    }
    return 0;
}

void* memchr(const void* block, int value, std::size_t count) {
    const auto* b = static_cast<const unsigned char*>(block);
    for (; count--; ++b) {
        if (*b == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(b);
    }
    return nullptr;
}

std::size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<std::size_t>(end - text);
}

std::size_t wcslen(const wchar_t* text) {
    const wchar_t* end = text;
    while (*end) ++end;
    return static_cast<std::size_t>(end - text);
}

double floor(double x) { return runtime::Floor(x); }
double ceil(double x) { return runtime::Ceil(x); }
long lround(double x) { return runtime::RoundToLong(x); }
void sincos(double x, double* sine, double* cosine) { runtime::SineCosine(x, sine, cosine); }
double sin(double x) {
    double sine, cosine;
    runtime::SineCosine(x, &sine, &cosine);
    return sine;
}
double cos(double x) {
    double sine, cosine;
    runtime::SineCosine(x, &sine, &cosine);
    return cosine;
}
double strtod(const char* text, char** end) { return runtime::ParseDouble(text, end); }
// mingw-w64's headers name strtod so.
double __mingw_strtod(const char* text, char** end) { return runtime::ParseDouble(text, end); }

#if defined(__i386__)
std::uint64_t __udivdi3(std::uint64_t a, std::uint64_t b) { return runtime::DivideUnsigned(a, b, nullptr); }
std::uint64_t __umoddi3(std::uint64_t a, std::uint64_t b) {
    std::uint64_t rest;
    runtime::DivideUnsigned(a, b, &rest);
    return rest;
}
std::int64_t __divdi3(std::int64_t a, std::int64_t b) { return runtime::DivideSigned(a, b, nullptr); }
std::int64_t __moddi3(std::int64_t a, std::int64_t b) {
    std::int64_t rest;
    runtime::DivideSigned(a, b, &rest);
    return rest;
}
#endif

}  // extern "C"

// A function whose frame is larger than a page first touches each page of
// it in order, so that Windows' guard page below the stack moves down one
// page at a time. Called with the frame's size in eax/rax; keeps every register.
#if defined(__i386__)
__asm__(
    ".text\n"
    ".globl ___chkstk_ms\n"
    "___chkstk_ms:\n"
    "    pushl %ecx\n"
    "    pushl %eax\n"
    "    cmpl $0x1000, %eax\n"
    "    leal 12(%esp), %ecx\n"
    "    jb 2f\n"
    "1:  subl $0x1000, %ecx\n"
    "    orl $0, (%ecx)\n"
    "    subl $0x1000, %eax\n"
    "    cmpl $0x1000, %eax\n"
    "    ja 1b\n"
    "2:  subl %eax, %ecx\n"
    "    orl $0, (%ecx)\n"
    "    popl %eax\n"
    "    popl %ecx\n"
    "    ret\n");
#elif defined(__x86_64__)
__asm__(
    ".text\n"
    ".globl ___chkstk_ms\n"
    "___chkstk_ms:\n"
    "    pushq %rcx\n"
    "    pushq %rax\n"
    "    cmpq $0x1000, %rax\n"
    "    leaq 24(%rsp), %rcx\n"
    "    jb 2f\n"
    "1:  subq $0x1000, %rcx\n"
    "    orq $0, (%rcx)\n"
    "    subq $0x1000, %rax\n"
    "    cmpq $0x1000, %rax\n"
    "    ja 1b\n"
    "2:  subq %rax, %rcx\n"
    "    orq $0, (%rcx)\n"
    "    popq %rax\n"
    "    popq %rcx\n"
    "    ret\n");
#endif
