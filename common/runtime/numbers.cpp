#include "common/runtime/numbers.h"

namespace runtime {
namespace {

constexpr double kTwoTo52 = 4503599627370496.0;  // above this every double is whole

double Magnitude(double x) { return x < 0 ? -x : x; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether text starts with word (lower case), in any case.
bool StartsWithWord(const char* text, const char* word) {
    for (; *word; ++text, ++word) {
        const char c = (*text >= 'A' && *text <= 'Z') ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (c != *word) return false;
    }
    return true;
}

// 10^n in extended precision; exact up to 10^27.
long double PowerOfTen(int n) {
    long double result = 1, square = 10;
    for (; n > 0; n >>= 1, square *= square) {
        if (n & 1) result *= square;
    }
    return result;
}

}  // namespace

double Floor(double x) {
    if (!(Magnitude(x) < kTwoTo52) || x == 0) return x;  // whole already, infinite or NaN
    const double whole = static_cast<double>(static_cast<std::int64_t>(x));
    return whole > x ? whole - 1 : whole;
}

double Ceil(double x) { return -Floor(-x); }

long RoundToLong(double x) {
    const double magnitude = Magnitude(x);
    double whole = Floor(magnitude);
    if (magnitude - whole >= 0.5) whole += 1;  // exact: both below 2^52
    const long result = static_cast<long>(whole);
    return x < 0 ? -result : result;
}

void SineCosine(double x, double* sine, double* cosine) {
    long double s, c;
    __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(static_cast<long double>(x)));
    *sine = static_cast<double>(s);
    *cosine = static_cast<double>(c);
}

double ParseDouble(const char* text, char** end) {
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';

    auto finish = [&](const char* after, long double value) {
        if (end) *end = const_cast<char*>(after);
        return static_cast<double>(negative ? -value : value);
    };
    if (StartsWithWord(p, "infinity")) return finish(p + 8, __builtin_huge_vall());
    if (StartsWithWord(p, "inf")) return finish(p + 3, __builtin_huge_vall());
    if (StartsWithWord(p, "nan")) return finish(p + 3, __builtin_nanl(""));

    // Up to 19 significant digits fit in 64 bits; later ones only scale.
    std::uint64_t mantissa = 0;
    int kept = 0, exponent = 0;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p) {
        anyDigit = true;
        if (kept < 19) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            if (mantissa != 0) ++kept;
        } else {
            ++exponent;
        }
    }
    if (*p == '.') {
        for (++p; IsDigit(*p); ++p) {
            anyDigit = true;
            if (kept < 19) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
                if (mantissa != 0) ++kept;
                --exponent;
            }
        }
    }
    if (!anyDigit) {
        if (end) *end = const_cast<char*>(text);
        return 0;
    }
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (*q == '+' || *q == '-') negativeExponent = *q++ == '-';
        if (IsDigit(*q)) {
            int written = 0;
            for (; IsDigit(*q); ++q) {
                if (written < 100000) written = written * 10 + (*q - '0');
            }
            exponent += negativeExponent ? -written : written;
            p = q;
        }
    }
    long double value = static_cast<long double>(mantissa);
    if (mantissa == 0) {
        value = 0;
    } else if (exponent > 4950) {
        value = __builtin_huge_vall();
    } else if (exponent < -4950) {
        value = 0;
    } else if (exponent > 0) {
        value *= PowerOfTen(exponent);
    } else if (exponent < 0) {
        value /= PowerOfTen(-exponent);
    }
    return finish(p, value);
}

std::uint64_t DivideUnsigned(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t* remainder) {
    if ((dividend >> 32) == 0 && (divisor >> 32) == 0) {
        // One hardware division (which faults on 0, as a division should).
        const auto a = static_cast<std::uint32_t>(dividend), b = static_cast<std::uint32_t>(divisor);
        if (remainder) *remainder = a % b;
        return a / b;
    }
    if (divisor == 0) {
        volatile std::uint32_t zero = 0;
        return 1u / zero;
    }
    std::uint64_t quotient = 0, rest = 0;
    if (divisor <= dividend) {
        int bit = 63;
        while (((dividend >> bit) & 1) == 0) --bit;
        for (; bit >= 0; --bit) {
            // The shifted rest may pass 2^64 when divisor is above 2^63; it
            // is then certainly at least divisor, and the wrapped difference right.
            const bool carried = (rest >> 63) != 0;
            rest = (rest << 1) | ((dividend >> bit) & 1);
            quotient <<= 1;
            if (carried || rest >= divisor) {
                rest -= divisor;
                quotient |= 1;
            }
        }
    } else {
        rest = dividend;
    }
    if (remainder) *remainder = rest;
    return quotient;
}

std::int64_t DivideSigned(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder) {
    const std::uint64_t a = dividend < 0 ? 0 - static_cast<std::uint64_t>(dividend) : static_cast<std::uint64_t>(dividend);
    const std::uint64_t b = divisor < 0 ? 0 - static_cast<std::uint64_t>(divisor) : static_cast<std::uint64_t>(divisor);
    std::uint64_t rest = 0;
    const std::uint64_t quotient = DivideUnsigned(a, b, &rest);
    // The quotient takes the signs' product, the remainder the dividend's sign.
    if (remainder) *remainder = static_cast<std::int64_t>(dividend < 0 ? 0 - rest : rest);
    return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}

}  // namespace runtime
