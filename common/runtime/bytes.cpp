// The board puts back and blits hundreds of kilobytes a burst, so these move
// 32-bit words: a 486 moves four bytes with `rep movsd` in about 3 cycles,
// where a loop of single bytes takes several cycles for each byte. The words
// are aligned on the destination (a misaligned store costs more than a
// misaligned load) and the bytes before and after them go one by one.
//
// Built with -fno-builtin and without loop-to-call rewriting, so that these
// loops do not turn back into calls to memcpy and memset.
#include "common/runtime/bytes.h"

#include <cstdint>

namespace runtime {
namespace {

using Byte = unsigned char;
// A word that may sit anywhere and alias anything.
typedef std::uint32_t __attribute__((may_alias, aligned(1))) LooseWord;

std::size_t BytesToAlignment(const Byte* at, std::size_t count) {
    const std::size_t misaligned = reinterpret_cast<std::uintptr_t>(at) & 3;
    const std::size_t lead = misaligned == 0 ? 0 : 4 - misaligned;
    return lead < count ? lead : count;
}

}  // namespace

void CopyBytes(void* to, const void* from, std::size_t count) {
    auto* t = static_cast<Byte*>(to);
    const auto* f = static_cast<const Byte*>(from);
    for (std::size_t lead = BytesToAlignment(t, count); lead != 0; --lead, --count) *t++ = *f++;
    std::size_t words = count / 4;
#if defined(__i386__) || defined(__x86_64__)
    // The direction flag is clear on entry to any function, by both ABIs.
    __asm__ volatile("rep movsl" : "+D"(t), "+S"(f), "+c"(words) : : "memory");
#else
    for (; words != 0; --words, t += 4, f += 4) *reinterpret_cast<LooseWord*>(t) = *reinterpret_cast<const LooseWord*>(f);
#endif
    for (count &= 3; count != 0; --count) *t++ = *f++;
}

void MoveBytes(void* to, const void* from, std::size_t count) {
    auto* t = static_cast<Byte*>(to);
    const auto* f = static_cast<const Byte*>(from);
    // Forwards is safe wherever the destination does not start inside the
    // source: each word is read before anything at or above it is written.
    if (t <= f || t >= f + count) {
        CopyBytes(to, from, count);
        return;
    }
    // Backwards from the end, words aligned on the destination's end.
    t += count;
    f += count;
    for (std::size_t tail = reinterpret_cast<std::uintptr_t>(t) & 3; tail != 0 && count != 0; --tail, --count) {
        *--t = *--f;
    }
    for (; count >= 4; count -= 4) {
        t -= 4;
        f -= 4;
        *reinterpret_cast<LooseWord*>(t) = *reinterpret_cast<const LooseWord*>(f);
    }
    while (count-- != 0) *--t = *--f;
}

void FillBytes(void* to, int value, std::size_t count) {
    auto* t = static_cast<Byte*>(to);
    const Byte byte = static_cast<Byte>(value);
    for (std::size_t lead = BytesToAlignment(t, count); lead != 0; --lead, --count) *t++ = byte;
    std::uint32_t word = byte * 0x01010101u;
    std::size_t words = count / 4;
#if defined(__i386__) || defined(__x86_64__)
    __asm__ volatile("rep stosl" : "+D"(t), "+c"(words) : "a"(word) : "memory");
#else
    for (; words != 0; --words, t += 4) *reinterpret_cast<LooseWord*>(t) = word;
#endif
    for (count &= 3; count != 0; --count) *t++ = byte;
}

}  // namespace runtime
