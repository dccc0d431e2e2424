// ln x = e ln 2 + 2 atanh((m - 1) / (m + 1)) with x = 2^e m, m within
// [sqrt(1/2), sqrt(2)), the series up to t^17: |t| <= 0.1716, so the terms
// left out stay below 4e-16, and the rounding of a few operations on values
// up to 710 below 2e-13.
#include "frequency/NearLog.h"

#include <bit>
#include <cstdint>

#include "platform/VectorClones.h"

// The series' many lanes gain from AVX-512's wider registers, and more of them.
NUVAK_WIDE_CLONES void NearLogs(double* x, size_t n)
{
    constexpr double kLn2 = 0.69314718055994530942;
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t kOne = std::uint64_t{1023} << 52;
    // 2^52 + 1023 as a double, whose low bits take the exponent field.
    constexpr std::uint64_t kMagic = 0x4330000000000000;
    constexpr double kMagicValue = 4503599627370496.0 + 1023;
    for (size_t i = 0; i < n; ++i) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(x[i]);
        double e = std::bit_cast<double>((bits >> 52) | kMagic) - kMagicValue;
        double m = std::bit_cast<double>((bits & kMantissa) | kOne);
        const bool high = m > 1.4142135623730951;
        m = high ? 0.5 * m : m;
        e = high ? e + 1 : e;
        const double t = (m - 1) / (m + 1);
        const double t2 = t * t;
        const double series =
            t2 * (1.0 / 3 + t2 * (1.0 / 5 + t2 * (1.0 / 7 + t2 * (1.0 / 9 + t2 * (1.0 / 11 + t2 * (1.0 / 13 +
                 t2 * (1.0 / 15 + t2 * (1.0 / 17))))))));
        const double near = e * kLn2 + 2 * (t + t * series);
        x[i] = x[i] < __builtin_inf() ? near : x[i];
    }
}
