// Split-radix decimation-in-time FFT: bit reversal, length-2 butterflies,
// then L-shaped butterflies with recurrence twiddles; 1/N by exponent
// arithmetic.
#include "frequency/FftTransform.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "processing/ParallelRows.h"

namespace {

// Columns gathered at once by the column pass: four complex values fill a
// 64-byte cache line.
constexpr int kColumnBlock = 4;

// Lanes of two independent transforms side by side: the vector operations
// act on each lane exactly as the scalar ones would.
typedef double Pair __attribute__((vector_size(16)));

template <typename T>
void Conjugate(T* v, size_t n)
{
    for (size_t i = 1; i < 2 * n; i += 2) v[i] = -v[i];
}

template <typename T>
void LengthTwoButterflies(T* v, size_t n)
{
    size_t s = 0;
    size_t d = 4;
    do {
        for (size_t i = s; i + 1 < n; i += d) {
            T* a = v + 2 * i;
            const T re = a[0], im = a[1];
            a[0] = re + a[2];
            a[1] = im + a[3];
            a[2] = re - a[2];
            a[3] = im - a[3];
        }
        s = 2 * d - 2;
        d *= 4;
    } while (s + 1 < n);
}

// The L-shaped butterfly on a[0], a[n4], a[2 n4], a[3 n4]; with twiddles,
// c and g are first turned by e^(-i theta) = c1 - i s1 and
// e^(-3i theta) = c3 - i s3.
template <typename T, bool kTwiddled>
inline void LButterfly(T* a, size_t n4, const std::array<double, 4>& t)
{
    T* b = a + 2 * n4;
    T* c = a + 4 * n4;
    T* g = a + 6 * n4;
    T cr = c[0], ci = c[1], gr = g[0], gi = g[1];
    if constexpr (kTwiddled) {
        const auto [c1, s1, c3, s3] = t;
        cr = c[0] * c1 + c[1] * s1;
        ci = c[1] * c1 - c[0] * s1;
        gr = g[0] * c3 + g[1] * s3;
        gi = g[1] * c3 - g[0] * s3;
    }
    const T tr = cr + gr, ti = ci + gi;
    const T ur = cr - gr, ui = ci - gi;
    const T ar = a[0], ai = a[1];
    const T br = b[0], bi = b[1];
    a[0] = ar + tr;
    a[1] = ai + ti;
    c[0] = ar - tr;
    c[1] = ai - ti;
    b[0] = br + ui;  // b - i u
    b[1] = bi - ur;
    g[0] = br - ui;  // b + i u
    g[1] = bi + ur;
}

// One stage's butterflies on blocks of n2 = 4 n4 values, block by block: the
// butterflies of a stage touch disjoint values, so their order does not
// change any value, and within a block they walk memory and twiddles in step.
template <typename T>
void LStage(T* v, size_t n, size_t n2, const std::array<double, 4>* twiddles)
{
    const size_t n4 = n2 / 4;
    size_t s = 0;
    size_t d = 2 * n2;
    do {
        for (size_t i = s; i + 1 < n; i += d) {
            T* a = v + 2 * i;
            LButterfly<T, false>(a, n4, {});
            for (size_t j = 1; j < n4; ++j) LButterfly<T, true>(a + 2 * j, n4, twiddles[j - 1]);
        }
        s = 2 * d - n2;
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

// What a transform of one length needs besides the data, worked out once per
// length instead of once per row: the bit-reversal swaps and every stage's
// twiddles, from the same recurrence in the same order, hence the same values.
class FftTables {
public:
    explicit FftTables(int exponent) : exponent_(exponent)
    {
        const size_t n = size_t{1} << exponent;
        size_t r = 0;
        for (size_t j = 0; j + 1 < n; ++j) {
            if (j < r) swaps_.emplace_back(static_cast<std::uint32_t>(j), static_cast<std::uint32_t>(r));
            size_t b = n / 2;
            while (b <= r) {
                r -= b;
                b /= 2;
            }
            r += b;
        }
        for (int k = 2; k <= exponent; ++k) {
            const size_t n4 = (size_t{1} << k) / 4;
            const double e = 2 * std::numbers::pi / static_cast<double>(size_t{1} << k);
            const double cosE = std::cos(e);
            const double sinE = std::sin(e);
            double c1 = 1;
            double s1 = 0;
            for (size_t j = 1; j < n4; ++j) {
                c1 = c1 * cosE - s1 * sinE;
                s1 = std::sqrt(1 - c1 * c1);
                twiddles_.push_back({c1, s1, c1 * (4 * c1 * c1 - 3), s1 * (3 - 4 * s1 * s1)});
            }
        }
    }

    void Transform(FftValue* data, int direction) const
    {
        // std::complex<double> is laid out as two doubles, real first.
        Transform(reinterpret_cast<double*>(data), direction);
    }

    // Transforms values held as real, imaginary, real, ... where each of them
    // is a double or a Pair of two lanes.
    template <typename T>
    void Transform(T* v, int direction) const
    {
        const size_t n = size_t{1} << exponent_;
        if (direction == FFT_INVERSE) Conjugate(v, n);
        for (const auto& [j, r] : swaps_) {
            std::swap(v[2 * j], v[2 * r]);
            std::swap(v[2 * j + 1], v[2 * r + 1]);
        }
        LengthTwoButterflies(v, n);
        const std::array<double, 4>* t = twiddles_.data();
        for (int k = 2; k <= exponent_; ++k) {
            const size_t n2 = size_t{1} << k;
            LStage(v, n, n2, t);
            t += n2 / 4 - 1;
        }
        if (direction == FFT_FORWARD) ScaleDown(reinterpret_cast<double*>(v), 2 * n * (sizeof(T) / sizeof(double)), exponent_);
        if (direction == FFT_INVERSE) Conjugate(v, n);
    }

private:
    int exponent_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> swaps_;
    std::vector<std::array<double, 4>> twiddles_;  // c1, s1, c3, s3
};

}  // namespace

void Fft1D(FftValue* data, int exponent, int direction)
{
    FftTables(exponent).Transform(data, direction);
}

void Fft2D(FftValue* data, int heightExponent, int widthExponent, int stride, int direction)
{
    const int h = 1 << heightExponent;
    const int w = 1 << widthExponent;
    const int block = std::min(kColumnBlock, w);
    // Every band's column copy is had before any value changes, so that a
    // failure leaves the data as it was.
    const size_t scratchSize = std::max(static_cast<size_t>(h) * block, 2 * static_cast<size_t>(w));
    std::vector<FftValue> scratch(scratchSize * static_cast<size_t>(parallel::ThreadCount()));
    std::atomic<size_t> nextScratch{0};

    // Rows two at a time through a copy that holds them side by side.
    const FftTables rows(widthExponent);
    parallel::ForBands(0, h, w, [&](int first, int last) {
        Pair* lanes = reinterpret_cast<Pair*>(scratch.data() + scratchSize * nextScratch++);
        int r = first;
        for (; r + 1 < last; r += 2) {
            FftValue* one = data + static_cast<size_t>(r) * stride;
            FftValue* two = one + stride;
            for (int x = 0; x < w; ++x) {
                lanes[2 * x] = Pair{one[x].real(), two[x].real()};
                lanes[2 * x + 1] = Pair{one[x].imag(), two[x].imag()};
            }
            rows.Transform(lanes, direction);
            for (int x = 0; x < w; ++x) {
                one[x] = FftValue(lanes[2 * x][0], lanes[2 * x + 1][0]);
                two[x] = FftValue(lanes[2 * x][1], lanes[2 * x + 1][1]);
            }
        }
        if (r < last) rows.Transform(data + static_cast<size_t>(r) * stride, direction);
    });
    nextScratch = 0;

    // Columns a few at a time through a contiguous copy that holds two columns
    // side by side in each Pair: the copy moves values without changing them,
    // and each cache line of the array is read once.
    const FftTables columns = heightExponent == widthExponent ? rows : FftTables(heightExponent);
    parallel::ForBands(0, w / block, static_cast<long long>(h) * block, [&](int first, int last) {
        FftValue* copy = scratch.data() + scratchSize * nextScratch++;
        if (block == 1) {
            for (int c = first; c < last; ++c) {
                for (int r = 0; r < h; ++r) copy[r] = data[static_cast<size_t>(r) * stride + c];
                columns.Transform(copy, direction);
                for (int r = 0; r < h; ++r) data[static_cast<size_t>(r) * stride + c] = copy[r];
            }
            return;
        }
        Pair* lanes = reinterpret_cast<Pair*>(copy);
        const size_t pairValues = 2 * static_cast<size_t>(h);
        for (int c = first * block; c < last * block; c += block) {
            for (int r = 0; r < h; ++r) {
                const FftValue* src = data + static_cast<size_t>(r) * stride + c;
                for (int p = 0; p < block / 2; ++p) {
                    Pair* v = lanes + p * pairValues + 2 * static_cast<size_t>(r);
                    v[0] = Pair{src[2 * p].real(), src[2 * p + 1].real()};
                    v[1] = Pair{src[2 * p].imag(), src[2 * p + 1].imag()};
                }
            }
            for (int p = 0; p < block / 2; ++p) columns.Transform(lanes + p * pairValues, direction);
            for (int r = 0; r < h; ++r) {
                FftValue* dst = data + static_cast<size_t>(r) * stride + c;
                for (int p = 0; p < block / 2; ++p) {
                    const Pair* v = lanes + p * pairValues + 2 * static_cast<size_t>(r);
                    dst[2 * p] = FftValue(v[0][0], v[1][0]);
                    dst[2 * p + 1] = FftValue(v[0][1], v[1][1]);
                }
            }
        }
    });
}
