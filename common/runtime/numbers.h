// The few numeric routines the programs take from a C library, written out
// so that the shipped programs need none (see entry_win.cpp). Portable, so
// that the unit tests hold them against the host's own C library.
#pragma once

#include <cstdint>

namespace runtime {

double Floor(double x);
double Ceil(double x);
// Rounds half away from zero, as lround does.
long RoundToLong(double x);
// sin and cos of one angle, from the FPU (the 387 has had them since 1987).
void SineCosine(double x, double* sine, double* cosine);

// strtod for decimal text: leading blanks, a sign, digits with a point, an
// exponent; "inf", "infinity" and "nan" in any case. *end (where not null)
// is set after the last character taken, or to text where nothing was.
double ParseDouble(const char* text, char** end);

// 64-bit division from 32-bit operations, for the compiler's own helpers on
// a 32-bit CPU. divisor 0 faults as the hardware division does.
std::uint64_t DivideUnsigned(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t* remainder);
std::int64_t DivideSigned(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder);

}  // namespace runtime
