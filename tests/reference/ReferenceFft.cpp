// The split-radix transforms as first written: twiddles by recurrence inside
// each call, columns through a small scratch; for comparison with the fast paths.
#include "reference/ReferenceFft.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace reference {

namespace {


// Columns gathered at once by the column pass: four complex values fill a
// 64-byte cache line.
constexpr int kColumnBlock = 4;

void Conjugate(double* v, size_t n)
{
    for (size_t i = 1; i < 2 * n; i += 2) v[i] = -v[i];
}

void BitReverse(FftValue* x, size_t n)
{
    size_t r = 0;
    for (size_t j = 0; j + 1 < n; ++j) {
        if (j < r) std::swap(x[j], x[r]);
        size_t b = n / 2;
        while (b <= r) {
            r -= b;
            b /= 2;
        }
        r += b;
    }
}

void LengthTwoButterflies(double* v, size_t n)
{
    size_t s = 0;
    size_t d = 4;
    do {
        for (size_t i = s; i + 1 < n; i += d) {
            double* a = v + 2 * i;
            const double re = a[0], im = a[1];
            a[0] = re + a[2];
            a[1] = im + a[3];
            a[2] = re - a[2];
            a[3] = im - a[3];
        }
        s = 2 * d - 2;
        d *= 4;
    } while (s + 1 < n);
}

// The L-shaped butterflies of one stage for offset j within each block of
// n2 = 4 * n4 values; with twiddles, c and g are first turned by
// e^(-i theta) = c1 - i s1 and e^(-3i theta) = c3 - i s3.
template <bool kTwiddled>
void LButterflies(double* v, size_t n, size_t n2, size_t j, double c1, double s1, double c3, double s3)
{
    const size_t n4 = n2 / 4;
    size_t s = j;
    size_t d = 2 * n2;
    do {
        for (size_t i = s; i + 1 < n; i += d) {
            double* a = v + 2 * i;
            double* b = v + 2 * (i + n4);
            double* c = v + 2 * (i + 2 * n4);
            double* g = v + 2 * (i + 3 * n4);
            double cr = c[0], ci = c[1], gr = g[0], gi = g[1];
            if constexpr (kTwiddled) {
                cr = c[0] * c1 + c[1] * s1;
                ci = c[1] * c1 - c[0] * s1;
                gr = g[0] * c3 + g[1] * s3;
                gi = g[1] * c3 - g[0] * s3;
            }
            const double tr = cr + gr, ti = ci + gi;
            const double ur = cr - gr, ui = ci - gi;
            const double ar = a[0], ai = a[1];
            const double br = b[0], bi = b[1];
            a[0] = ar + tr;
            a[1] = ai + ti;
            c[0] = ar - tr;
            c[1] = ai - ti;
            b[0] = br + ui;  // b - i u
            b[1] = bi - ur;
            g[0] = br - ui;  // b + i u
            g[1] = bi + ur;
        }
        s = 2 * d - n2 + j;
        d *= 4;
    } while (s + 1 < n);
}

// Divides by 2^m by lowering the binary exponent; values whose exponent
// field is below m (zeros, subnormals, the tiniest normals) stay as they are.
void ScaleDown(double* v, size_t count, int m)
{
    const std::uint64_t field = static_cast<std::uint64_t>(m);
    for (size_t i = 0; i < count; ++i) {
        std::uint64_t bits = std::bit_cast<std::uint64_t>(v[i]);
        if (((bits >> 52) & 0x7FF) >= field) bits -= field << 52;
        v[i] = std::bit_cast<double>(bits);
    }
}


}  // namespace

void Fft1D(FftValue* data, int exponent, int direction)
{
    const size_t n = size_t{1} << exponent;
    // std::complex<double> is laid out as two doubles, real first.
    double* v = reinterpret_cast<double*>(data);
    if (direction == FFT_INVERSE) Conjugate(v, n);
    BitReverse(data, n);
    LengthTwoButterflies(v, n);
    for (int k = 2; k <= exponent; ++k) {
        const size_t n2 = size_t{1} << k;
        const size_t n4 = n2 / 4;
        const double e = 2 * std::numbers::pi / static_cast<double>(n2);
        const double cosE = std::cos(e);
        const double sinE = std::sin(e);
        LButterflies<false>(v, n, n2, 0, 1, 0, 1, 0);
        double c1 = 1;
        double s1 = 0;
        for (size_t j = 1; j < n4; ++j) {
            c1 = c1 * cosE - s1 * sinE;
            s1 = std::sqrt(1 - c1 * c1);
            const double c3 = c1 * (4 * c1 * c1 - 3);
            const double s3 = s1 * (3 - 4 * s1 * s1);
            LButterflies<true>(v, n, n2, j, c1, s1, c3, s3);
        }
    }
    if (direction == FFT_FORWARD) ScaleDown(v, 2 * n, exponent);
    if (direction == FFT_INVERSE) Conjugate(v, n);
}

void Fft2D(FftValue* data, FftValue* scratch, int heightExponent, int widthExponent, int stride, int direction)
{
    const size_t h = size_t{1} << heightExponent;
    const int w = 1 << widthExponent;
    for (size_t r = 0; r < h; ++r) Fft1D(data + r * stride, widthExponent, direction);

    const int block = std::min(kColumnBlock, w);
    for (int c = 0; c < w; c += block) {
        for (size_t r = 0; r < h; ++r) {
            const FftValue* src = data + r * stride + c;
            for (int b = 0; b < block; ++b) scratch[b * h + r] = src[b];
        }
        for (int b = 0; b < block; ++b) Fft1D(scratch + b * h, heightExponent, direction);
        for (size_t r = 0; r < h; ++r) {
            FftValue* dst = data + r * stride + c;
            for (int b = 0; b < block; ++b) dst[b] = scratch[b * h + r];
        }
    }
}

}  // namespace reference
