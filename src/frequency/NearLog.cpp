// ln x = e ln 2 + 2 atanh((m - 1) / (m + 1)) with x = 2^e m, m within
// [sqrt(1/2), sqrt(2)), the series up to t^17: |t| <= 0.1716, so the terms
// left out stay below 4e-16, and the rounding of a few operations on values
// up to 710 below 2e-13.
#include "frequency/NearLog.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "platform/VectorClones.h"

#if NUVAK_HAS_CLONES
#include <immintrin.h>
#endif

namespace {

// x >= 1 as 2^e m with m within [sqrt(1/2), sqrt(2)).
[[gnu::always_inline]] inline void Reduce(double x, double& e, double& m)
{
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t kOne = std::uint64_t{1023} << 52;
    // 2^52 + 1023 as a double, whose low bits take the exponent field.
    constexpr std::uint64_t kMagic = 0x4330000000000000;
    constexpr double kMagicValue = 4503599627370496.0 + 1023;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    e = std::bit_cast<double>((bits >> 52) | kMagic) - kMagicValue;
    m = std::bit_cast<double>((bits & kMantissa) | kOne);
    const bool high = m > 1.4142135623730951;
    m = high ? 0.5 * m : m;
    e = high ? e + 1 : e;
}

// ln x from its e and t = (m - 1) / (m + 1).
[[gnu::always_inline]] inline double Series(double e, double t)
{
    constexpr double kLn2 = 0.69314718055994530942;
    const double t2 = t * t;
    const double series =
        t2 * (1.0 / 3 + t2 * (1.0 / 5 + t2 * (1.0 / 7 + t2 * (1.0 / 9 + t2 * (1.0 / 11 + t2 * (1.0 / 13 +
              t2 * (1.0 / 15 + t2 * (1.0 / 17))))))));
    return e * kLn2 + 2 * (t + t * series);
}

// 1 + sqrt(re^2 + im^2) of count values given as real, imaginary, ...
NUVAK_WIDE_BUILDS(void, OnePlusMagnitudes,
                  (const double* __restrict values, size_t count, double* __restrict out),
                  (values, count, out))
{
    for (size_t i = 0; i < count; ++i) {
        const double re = values[2 * i], im = values[2 * i + 1];
        out[i] = 1 + std::sqrt(re * re + im * im);
    }
}

// NearLogMagnitudes with AVX-512 on eight values at a time, where the
// processor has it (false elsewhere, with nothing done): the square root and
// the quotient come from its 14-bit reciprocal estimates, taken to within a
// few units in the last place by two Newton steps each, for a fraction of
// the cost of a division or a root.
#if NUVAK_HAS_CLONES
// Series with fused multiply-adds, which only make the near value nearer.
[[gnu::target("avx512f")]] inline __m512d FusedSeries(__m512d e, __m512d t)
{
    constexpr double kLn2 = 0.69314718055994530942;
    const __m512d t2 = _mm512_mul_pd(t, t);
    __m512d p = _mm512_set1_pd(1.0 / 17);
    for (const double c : {1.0 / 15, 1.0 / 13, 1.0 / 11, 1.0 / 9, 1.0 / 7, 1.0 / 5, 1.0 / 3})
        p = _mm512_fmadd_pd(p, t2, _mm512_set1_pd(c));
    const __m512d series = _mm512_mul_pd(p, t2);
    return _mm512_fmadd_pd(e, _mm512_set1_pd(kLn2), _mm512_mul_pd(_mm512_set1_pd(2), _mm512_fmadd_pd(t, series, t)));
}

[[gnu::target("avx512f")]] void EightsOfNearLogMagnitudes(const double* values, size_t count, double* out)
{
    typedef double Wide __attribute__((vector_size(64)));
    const __m512i evens = _mm512_setr_epi64(0, 2, 4, 6, 8, 10, 12, 14);
    const __m512i odds = _mm512_setr_epi64(1, 3, 5, 7, 9, 11, 13, 15);
    const Wide smallest = _mm512_set1_pd(DBL_MIN);
    // The masked forms: the plain ones start from an undefined register.
    constexpr __mmask8 kAll = 0xff;
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m512d a = _mm512_loadu_pd(values + 2 * i), b = _mm512_loadu_pd(values + 2 * i + 8);
        const Wide re = _mm512_permutex2var_pd(a, evens, b), im = _mm512_permutex2var_pd(a, odds, b);
        const Wide square = _mm512_fmadd_pd(re, re, im * im);
        // Below the smallest normal double (zero among them) the root is lost
        // in 1 + root either way; (h r) r neither overflows nor underflows.
        const Wide held = square > smallest ? square : smallest, h = 0.5 * held;
        Wide r = _mm512_maskz_rsqrt14_pd(kAll, held);
        r = r * _mm512_fnmadd_pd(h * r, r, _mm512_set1_pd(1.5));
        r = r * _mm512_fnmadd_pd(h * r, r, _mm512_set1_pd(1.5));
        const Wide x = _mm512_fmadd_pd(square, r, _mm512_set1_pd(1));
        // x = 2^e m as Reduce has it, by the processor's own exponent and
        // mantissa: x is a normal number of at least 1 wherever it counts.
        Wide e = _mm512_maskz_getexp_pd(kAll, x);
        Wide m = _mm512_maskz_getmant_pd(kAll, x, _MM_MANT_NORM_1_2, _MM_MANT_SIGN_src);
        const __mmask8 high = _mm512_cmp_pd_mask(m, _mm512_set1_pd(1.4142135623730951), _CMP_GT_OQ);
        m = _mm512_mask_mul_pd(m, high, m, _mm512_set1_pd(0.5));
        e = _mm512_mask_add_pd(e, high, e, _mm512_set1_pd(1));
        const Wide d = m + 1;
        Wide q = _mm512_maskz_rcp14_pd(kAll, d);
        q = q * _mm512_fnmadd_pd(d, q, _mm512_set1_pd(2));
        q = q * _mm512_fnmadd_pd(d, q, _mm512_set1_pd(2));
        // An infinite square or one that is not a number stays as it is.
        const Wide near = square < __builtin_inf() ? FusedSeries(e, (m - 1) * q) : square;
        _mm512_storeu_pd(out + i, __m512d(near));
    }
    if (i < count) {
        OnePlusMagnitudes(values + 2 * i, count - i, out + i);
        NearLogs(out + i, count - i);
    }
}

bool WideNearLogMagnitudes(const double* values, size_t count, double* out)
{
    if (platform::ChosenSet() != platform::InstructionSet::Avx512) return false;
    EightsOfNearLogMagnitudes(values, count, out);
    return true;
}
#else
bool WideNearLogMagnitudes(const double*, size_t, double*) { return false; }
#endif

}  // namespace

// The series' many lanes gain from AVX-512's wider registers, and more of them.
NUVAK_WIDE_BUILDS(void, NearLogs, (double* x, size_t n), (x, n))
{
    for (size_t i = 0; i < n; ++i) {
        double e, m;
        Reduce(x[i], e, m);
        const double near = Series(e, (m - 1) / (m + 1));
        x[i] = x[i] < __builtin_inf() ? near : x[i];
    }
}

void NearLogMagnitudes(const double* values, size_t count, double* out)
{
    if (WideNearLogMagnitudes(values, count, out)) return;
    OnePlusMagnitudes(values, count, out);
    NearLogs(out, count);
}
