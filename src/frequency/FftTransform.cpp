// Split-radix decimation-in-time FFT: bit reversal, length-2 butterflies,
// then L-shaped butterflies with recurrence twiddles; 1/N by exponent
// arithmetic.
#include "frequency/FftTransform.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <type_traits>
#include <utility>
#include <vector>

#include "frequency/GreyValues.h"
#include "frequency/MagnitudeLevels.h"
#include "frequency/SharedChunks.h"
#include "platform/ParallelRows.h"
#include "platform/VectorClones.h"

namespace {

// Lanes of independent transforms side by side: the vector operations act on
// each lane exactly as the scalar ones would.
typedef double Pair __attribute__((vector_size(16)));
typedef double Quad __attribute__((vector_size(32)));
typedef double Oct __attribute__((vector_size(64)));

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
        reversed_.resize(n, static_cast<std::uint32_t>(n - 1));
        for (size_t j = 0; j + 1 < n; ++j) {
            reversed_[j] = static_cast<std::uint32_t>(r);
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
        AddSteps(0, exponent);
    }

    void Transform(FftValue* data, int direction) const
    {
        // std::complex<double> is laid out as two doubles, real first.
        Transform(reinterpret_cast<double*>(data), direction);
    }

    // Where the bit-reversal permutation takes value k: a copy that puts the
    // values there spares the transform its swaps.
    size_t Reversed(size_t k) const { return reversed_[k]; }

    int Exponent() const { return exponent_; }

    // Transforms values held as real, imaginary, real, ... where each of them
    // is a double or the lanes of several transforms.
    template <typename T>
    void Transform(T* v, int direction) const
    {
        const size_t n = size_t{1} << exponent_;
        if (direction == FFT_INVERSE) Conjugate(v, n);
        for (size_t i = 0; i < swaps_.size(); ++i) {
            const auto [j, r] = swaps_[i];
            std::swap(v[2 * j], v[2 * r]);
            std::swap(v[2 * j + 1], v[2 * r + 1]);
        }
        Butterflies(v);
        if (direction == FFT_FORWARD)
            ScaleDown(reinterpret_cast<double*>(v), 2 * n * (sizeof(T) / sizeof(double)), exponent_);
        if (direction == FFT_INVERSE) Conjugate(v, n);
    }

    // The butterflies alone, on values already in bit-reversed order: the
    // transform less its permutation, conjugations and scaling.
    template <typename T>
    void Butterflies(T* v) const
    {
        for (const BlockStep& step : steps_) {
            T* block = v + 2 * size_t{step.first};
            const size_t n2 = size_t{1} << step.exponent;
            if (!step.leaf) {
                LStage(block, n2, n2, Twiddles(step.exponent));
                continue;
            }
            LengthTwoButterflies(block, n2);
            for (int k = 2; k <= step.exponent; ++k) LStage(block, n2, size_t{1} << k, Twiddles(k));
        }
    }

private:
    // Blocks of up to 2^kLeafExponent values go stage by stage: their values
    // stay in the first-level cache throughout.
    static constexpr int kLeafExponent = 8;

    // A block of 2^exponent values from value first: with leaf, all its
    // butterflies stage by stage, otherwise only its own L-shaped ones.
    struct BlockStep {
        std::uint32_t first;
        int exponent;
        bool leaf;
    };

    // Every butterfly of the block, in an order that finishes each sub-block
    // before the L-shaped butterflies that read it: the first half, then the
    // two last quarters, then the block's own. These are the stages'
    // butterflies on disjoint values, each computed as the stage by stage
    // order computes it; large blocks are split until their parts fit the
    // cache.
    void AddSteps(std::uint32_t first, int exponent)
    {
        if (exponent <= kLeafExponent) {
            steps_.push_back({first, exponent, true});
            return;
        }
        const std::uint32_t n2 = std::uint32_t{1} << exponent;
        AddSteps(first, exponent - 1);
        AddSteps(first + n2 / 2, exponent - 2);
        AddSteps(first + 3 * n2 / 4, exponent - 2);
        steps_.push_back({first, exponent, false});
    }

    // Stage k's twiddles follow those of the stages j before it, 2^j / 4 - 1
    // each.
    const std::array<double, 4>* Twiddles(int k) const
    {
        return twiddles_.data() + ((size_t{1} << k) / 4 - 1 - (static_cast<size_t>(k) - 2));
    }

    int exponent_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> swaps_;
    std::vector<std::uint32_t> reversed_;
    std::vector<std::array<double, 4>> twiddles_;  // c1, s1, c3, s3
    std::vector<BlockStep> steps_;
};

}  // namespace

void Fft1D(FftValue* data, int exponent, int direction)
{
    FftTables(exponent).Transform(data, direction);
}

namespace {

// Transforms groups x lanes transforms side by side, each value k of
// transform t at base + t * laneStep + k * elementStep, group g in lanes + g *
// 2 * count; the copies only move values, so each transform is the scalar
// one. Groups of neighbouring columns read each cache line of a row once.
template <typename V>
void TransformLanes(const FftTables& tables, FftValue* base, size_t laneStep, size_t elementStep, size_t count,
                    size_t groups, V* lanes, int direction)
{
    constexpr size_t kLanes = sizeof(V) / sizeof(double);
    for (size_t k = 0; k < count; ++k)
        for (size_t g = 0; g < groups; ++g)
            for (size_t l = 0; l < kLanes; ++l) {
                const FftValue& value = base[(g * kLanes + l) * laneStep + k * elementStep];
                lanes[2 * (g * count + k)][l] = value.real();
                lanes[2 * (g * count + k) + 1][l] = value.imag();
            }
    for (size_t g = 0; g < groups; ++g) tables.Transform(lanes + 2 * g * count, direction);
    for (size_t k = 0; k < count; ++k)
        for (size_t g = 0; g < groups; ++g)
            for (size_t l = 0; l < kLanes; ++l)
                base[(g * kLanes + l) * laneStep + k * elementStep] =
                    FftValue(lanes[2 * (g * count + k)][l], lanes[2 * (g * count + k) + 1][l]);
}

// Two complex values as one vector, and back.
inline void LoadQuad(Quad& q, const FftValue* two)
{
    std::memcpy(&q, reinterpret_cast<const double*>(two), sizeof q);
}

inline void StoreQuad(FftValue* two, const Quad& q) { std::memcpy(reinterpret_cast<double*>(two), &q, sizeof q); }

// The conjugations and the scaling of Transform, done while the values are
// moved into the lanes and out: flipping sign bits and lowering exponent
// fields as Conjugate and ScaleDown do, on a vector of values at once.
struct LaneMoves {
    explicit LaneMoves(const FftTables& tables, int direction)
        : sign(direction == FFT_INVERSE ? std::numeric_limits<std::int64_t>::min() : 0),
          scale(direction == FFT_FORWARD ? tables.Exponent() : 0)
    {
    }

    // The imaginary parts on their way in.
    template <typename V>
    void In(V& imaginary) const
    {
        Flip(imaginary);
    }
    // Real and imaginary parts on their way out.
    template <typename V>
    void Out(V& real, V& imaginary) const
    {
        Flip(imaginary);
        Scale(real);
        Scale(imaginary);
    }

private:
    template <typename V>
    void Flip(V& q) const
    {
        typedef std::int64_t Bits __attribute__((vector_size(sizeof(V))));
        q = reinterpret_cast<V>(reinterpret_cast<Bits>(q) ^ sign);
    }
    template <typename V>
    void Scale(V& q) const
    {
        typedef std::int64_t Bits __attribute__((vector_size(sizeof(V))));
        const Bits bits = reinterpret_cast<Bits>(q);
        const Bits field = (bits >> 52) & 0x7FF;
        q = reinterpret_cast<V>(bits - ((field >= scale) & (scale << 52)));
    }

    std::int64_t sign;
    std::int64_t scale;
};

// Values k and k + 1 of four rows laneStep apart as lanes, real and
// imaginary parts of value k in a, of value k + 1 in b: a 4 x 4
// transposition of two values of each row.
inline void RowsIn(const FftValue* base, size_t laneStep, size_t k, Quad* a, Quad* b)
{
    Quad r0, r1, r2, r3;
    LoadQuad(r0, base + k);
    LoadQuad(r1, base + laneStep + k);
    LoadQuad(r2, base + 2 * laneStep + k);
    LoadQuad(r3, base + 3 * laneStep + k);
    const Quad re01 = __builtin_shufflevector(r0, r1, 0, 4, 2, 6);
    const Quad im01 = __builtin_shufflevector(r0, r1, 1, 5, 3, 7);
    const Quad re23 = __builtin_shufflevector(r2, r3, 0, 4, 2, 6);
    const Quad im23 = __builtin_shufflevector(r2, r3, 1, 5, 3, 7);
    a[0] = __builtin_shufflevector(re01, re23, 0, 1, 4, 5);
    a[1] = __builtin_shufflevector(im01, im23, 0, 1, 4, 5);
    b[0] = __builtin_shufflevector(re01, re23, 2, 3, 6, 7);
    b[1] = __builtin_shufflevector(im01, im23, 2, 3, 6, 7);
}

// The way back: lanes a (value k) and b (value k + 1) into four rows.
inline void RowsOut(const Quad* a, const Quad* b, FftValue* base, size_t laneStep, size_t k)
{
    const Quad u0 = __builtin_shufflevector(a[0], a[1], 0, 4, 1, 5);
    const Quad u1 = __builtin_shufflevector(a[0], a[1], 2, 6, 3, 7);
    const Quad v0 = __builtin_shufflevector(b[0], b[1], 0, 4, 1, 5);
    const Quad v1 = __builtin_shufflevector(b[0], b[1], 2, 6, 3, 7);
    StoreQuad(base + k, __builtin_shufflevector(u0, v0, 0, 1, 4, 5));
    StoreQuad(base + laneStep + k, __builtin_shufflevector(u0, v0, 2, 3, 6, 7));
    StoreQuad(base + 2 * laneStep + k, __builtin_shufflevector(u1, v1, 0, 1, 4, 5));
    StoreQuad(base + 3 * laneStep + k, __builtin_shufflevector(u1, v1, 2, 3, 6, 7));
}

// Eight rows: the first four in the low half of each lane vector, the others
// in the high half.
inline void RowsIn(const FftValue* base, size_t laneStep, size_t k, Oct* a, Oct* b)
{
    Quad low[2], lowNext[2], high[2], highNext[2];
    RowsIn(base, laneStep, k, low, lowNext);
    RowsIn(base + 4 * laneStep, laneStep, k, high, highNext);
    for (int part = 0; part < 2; ++part) {
        a[part] = __builtin_shufflevector(low[part], high[part], 0, 1, 2, 3, 4, 5, 6, 7);
        b[part] = __builtin_shufflevector(lowNext[part], highNext[part], 0, 1, 2, 3, 4, 5, 6, 7);
    }
}

inline void RowsOut(const Oct* a, const Oct* b, FftValue* base, size_t laneStep, size_t k)
{
    Quad low[2], lowNext[2], high[2], highNext[2];
    for (int part = 0; part < 2; ++part) {
        low[part] = __builtin_shufflevector(a[part], a[part], 0, 1, 2, 3);
        high[part] = __builtin_shufflevector(a[part], a[part], 4, 5, 6, 7);
        lowNext[part] = __builtin_shufflevector(b[part], b[part], 0, 1, 2, 3);
        highNext[part] = __builtin_shufflevector(b[part], b[part], 4, 5, 6, 7);
    }
    RowsOut(low, lowNext, base, laneStep, k);
    RowsOut(high, highNext, base + 4 * laneStep, laneStep, k);
}

// As many rows laneStep apart as V has lanes into lanes, value k at its
// bit-reversed place, and back.
template <typename V>
void GatherRows(const FftTables& tables, const LaneMoves& moves, const FftValue* base, size_t laneStep,
                size_t count, V* lanes)
{
    for (size_t k = 0; k < count; k += 2) {
        V* a = lanes + 2 * tables.Reversed(k);
        V* b = lanes + 2 * tables.Reversed(k + 1);
        RowsIn(base, laneStep, k, a, b);
        moves.In(a[1]);
        moves.In(b[1]);
    }
}

// Eight rows of levels into lanes as GatherRows puts the values level + 0i:
// eight levels of each row at a time, turned by one shuffle.
inline void GatherLevels(const FftTables& tables, const std::uint8_t* const* levels, size_t count, Oct* lanes)
{
    typedef std::uint8_t Bytes __attribute__((vector_size(64)));
    typedef std::uint8_t Eight __attribute__((vector_size(8)));
    typedef std::uint64_t Words __attribute__((vector_size(64)));
    size_t k = 0;
    for (; k + 8 <= count; k += 8) {
        Words rows;
        for (int l = 0; l < 8; ++l) {
            std::uint64_t word;
            std::memcpy(&word, levels[l] + k, sizeof word);
            rows[l] = word;
        }
        const Bytes m = reinterpret_cast<Bytes>(rows);
        // Byte 8 j + l: level k + j of row l.
        const Bytes turned = __builtin_shufflevector(m, m,
            0, 8, 16, 24, 32, 40, 48, 56, 1, 9, 17, 25, 33, 41, 49, 57,
            2, 10, 18, 26, 34, 42, 50, 58, 3, 11, 19, 27, 35, 43, 51, 59,
            4, 12, 20, 28, 36, 44, 52, 60, 5, 13, 21, 29, 37, 45, 53, 61,
            6, 14, 22, 30, 38, 46, 54, 62, 7, 15, 23, 31, 39, 47, 55, 63);
        for (size_t j = 0; j < 8; ++j) {
            Eight eight;
            std::memcpy(&eight, reinterpret_cast<const std::uint8_t*>(&turned) + 8 * j, sizeof eight);
            Oct* a = lanes + 2 * tables.Reversed(k + j);
            a[0] = __builtin_convertvector(eight, Oct);
            a[1] = Oct{};
        }
    }
    for (; k < count; ++k) {
        Oct* a = lanes + 2 * tables.Reversed(k);
        for (int l = 0; l < 8; ++l) a[0][l] = levels[l][k];
        a[1] = Oct{};
    }
}

template <typename V>
void ScatterRows(const LaneMoves& moves, const V* lanes, size_t count, FftValue* base, size_t laneStep)
{
    for (size_t k = 0; k < count; k += 2) {
        V a[2] = {lanes[2 * k], lanes[2 * k + 1]}, b[2] = {lanes[2 * k + 2], lanes[2 * k + 3]};
        moves.Out(a[0], a[1]);
        moves.Out(b[0], b[1]);
        RowsOut(a, b, base, laneStep, k);
    }
}

// Neighbouring complex values as real and imaginary lanes, and back.
inline void Deinterleave(const FftValue* values, Quad& re, Quad& im)
{
    Quad one, two;
    LoadQuad(one, values);
    LoadQuad(two, values + 2);
    re = __builtin_shufflevector(one, two, 0, 2, 4, 6);
    im = __builtin_shufflevector(one, two, 1, 3, 5, 7);
}

inline void Interleave(const Quad& re, const Quad& im, FftValue* values)
{
    StoreQuad(values, __builtin_shufflevector(re, im, 0, 4, 1, 5));
    StoreQuad(values + 2, __builtin_shufflevector(re, im, 2, 6, 3, 7));
}

inline void Deinterleave(const FftValue* values, Oct& re, Oct& im)
{
    Oct one, two;
    std::memcpy(&one, reinterpret_cast<const double*>(values), sizeof one);
    std::memcpy(&two, reinterpret_cast<const double*>(values + 4), sizeof two);
    re = __builtin_shufflevector(one, two, 0, 2, 4, 6, 8, 10, 12, 14);
    im = __builtin_shufflevector(one, two, 1, 3, 5, 7, 9, 11, 13, 15);
}

inline void Interleave(const Oct& re, const Oct& im, FftValue* values)
{
    const Oct one = __builtin_shufflevector(re, im, 0, 8, 1, 9, 2, 10, 3, 11);
    const Oct two = __builtin_shufflevector(re, im, 4, 12, 5, 13, 6, 14, 7, 15);
    std::memcpy(reinterpret_cast<double*>(values), &one, sizeof one);
    std::memcpy(reinterpret_cast<double*>(values + 4), &two, sizeof two);
}

// Groups of as many neighbouring columns as V has lanes, value k elementStep
// apart, into lanes (group g from lanes + 2 g count), value k at its
// bit-reversed place.
template <typename V>
void GatherColumns(const FftTables& tables, const LaneMoves& moves, const FftValue* base, size_t elementStep,
                   size_t count, size_t groups, V* lanes)
{
    constexpr size_t kWidth = sizeof(V) / sizeof(double);
    for (size_t k = 0; k < count; ++k) {
        const FftValue* row = base + k * elementStep;
        V* a = lanes + 2 * tables.Reversed(k);
        for (size_t g = 0; g < groups; ++g, a += 2 * count) {
            Deinterleave(row + kWidth * g, a[0], a[1]);
            moves.In(a[1]);
        }
    }
}

template <typename V>
void ScatterColumns(const LaneMoves& moves, const V* lanes, size_t count, size_t groups, FftValue* base,
                    size_t elementStep)
{
    constexpr size_t kWidth = sizeof(V) / sizeof(double);
    // Last row first: the rows the gathering read last are the ones most
    // surely still in cache.
    for (size_t k = count; k-- > 0;) {
        FftValue* row = base + k * elementStep;
        const V* a = lanes + 2 * k;
        for (size_t g = 0; g < groups; ++g, a += 2 * count) {
            V re = a[0], im = a[1];
            moves.Out(re, im);
            Interleave(re, im, row + kWidth * g);
        }
    }
}

#if NUVAK_HAS_CLONES
// ScatterColumns for eight columns a group that also writes the levels of the
// values' magnitudes, magnitudes[k][column + c] for value k of column c.
[[gnu::target("arch=x86-64-v4"), gnu::flatten]] void ScatterColumnsAndLevels(
    const LaneMoves& moves, const Oct* lanes, size_t count, size_t groups, FftValue* base, size_t elementStep,
    std::uint8_t* const* magnitudes, size_t column)
{
    for (size_t k = count; k-- > 0;) {
        FftValue* row = base + k * elementStep;
        std::uint8_t* levels = magnitudes[k] + column;
        const Oct* a = lanes + 2 * k;
        for (size_t g = 0; g < groups; ++g, a += 2 * count, levels += 8) {
            Oct re = a[0], im = a[1];
            moves.Out(re, im);
            Interleave(re, im, row + 8 * g);
            const std::uint64_t eight = MagnitudeLevels(reinterpret_cast<__m512d>(re), reinterpret_cast<__m512d>(im));
            std::memcpy(levels, &eight, sizeof eight);
        }
    }
}
#endif

// Neighbouring columns (laneStep 1) or rows of neighbouring values
// (elementStep 1, one group, at least two values) in the lanes of V, moved
// there by vector shuffles straight to their bit-reversed places, conjugated
// or scaled on the way; eight rows may come from levels instead, and eight
// columns a group may give the levels of their magnitudes, from column on.
template <typename V>
inline void TransformVectors(const FftTables& tables, FftValue* base, size_t laneStep, size_t elementStep,
                             size_t count, size_t groups, V* lanes, int direction,
                             const std::uint8_t* const* levels = nullptr,
                             [[maybe_unused]] std::uint8_t* const* magnitudes = nullptr,
                             [[maybe_unused]] size_t column = 0)
{
    const LaneMoves moves(tables, direction);
    if (laneStep == 1) {
        GatherColumns(tables, moves, base, elementStep, count, groups, lanes);
        for (size_t g = 0; g < groups; ++g) tables.Butterflies(lanes + 2 * g * count);
#if NUVAK_HAS_CLONES
        if constexpr (std::is_same_v<V, Oct>)
            if (magnitudes) return ScatterColumnsAndLevels(moves, lanes, count, groups, base, elementStep, magnitudes,
                                                           column);
#endif
        ScatterColumns(moves, lanes, count, groups, base, elementStep);
    } else {
        if constexpr (std::is_same_v<V, Oct>)
            if (levels) GatherLevels(tables, levels, count, lanes);
        if (!levels) GatherRows(tables, moves, base, laneStep, count, lanes);
        tables.Butterflies(lanes);
        ScatterRows(moves, lanes, count, base, laneStep);
    }
}

// Transforms in the four lanes of the widest vectors: the AVX2 build does
// each operation on all four at once. Each build is flattened whole: the
// transform's steps are too large to be inlined otherwise.
#if NUVAK_HAS_CLONES
[[NUVAK_AVX2_TARGET, gnu::flatten]] void QuadsAvx2(const FftTables& tables, FftValue* base, size_t laneStep,
                                                   size_t elementStep, size_t count, size_t groups, Quad* lanes,
                                                   int direction)
{
    if (count >= 2 && (laneStep == 1 || (elementStep == 1 && groups == 1)))
        TransformVectors(tables, base, laneStep, elementStep, count, groups, lanes, direction);
    else
        TransformLanes(tables, base, laneStep, elementStep, count, groups, lanes, direction);
}
#endif

[[gnu::flatten]] void QuadsPlain(const FftTables& tables, FftValue* base, size_t laneStep, size_t elementStep,
                                 size_t count, size_t groups, Quad* lanes, int direction)
{
    if (count >= 2 && (laneStep == 1 || (elementStep == 1 && groups == 1)))
        TransformVectors(tables, base, laneStep, elementStep, count, groups, lanes, direction);
    else
        TransformLanes(tables, base, laneStep, elementStep, count, groups, lanes, direction);
}

void TransformQuads(const FftTables& tables, FftValue* base, size_t laneStep, size_t elementStep, size_t count,
                    size_t groups, Quad* lanes, int direction)
{
#if NUVAK_HAS_CLONES
    if (platform::ChosenSet() != platform::InstructionSet::Baseline)
        return QuadsAvx2(tables, base, laneStep, elementStep, count, groups, lanes, direction);
#endif
    QuadsPlain(tables, base, laneStep, elementStep, count, groups, lanes, direction);
}

// Whether the AVX-512 build of TransformOcts is the one to run.
bool EightLanes()
{
#if NUVAK_HAS_CLONES
    return platform::ChosenSet() == platform::InstructionSet::Avx512;
#else
    return false;
#endif
}

// Transforms in eight lanes, with AVX-512: twice the lanes and registers of
// AVX2 take fewer operations, each the same on every lane. Only called where
// EightLanes and TransformVectors take them.
#if NUVAK_HAS_CLONES
[[NUVAK_WIDE_TARGET, gnu::flatten]]
#endif
void TransformOcts(const FftTables& tables, FftValue* base, size_t laneStep, size_t elementStep, size_t count,
                   size_t groups, Oct* lanes, int direction, const std::uint8_t* const* levels = nullptr,
                   std::uint8_t* const* magnitudes = nullptr, size_t column = 0)
{
    TransformVectors(tables, base, laneStep, elementStep, count, groups, lanes, direction, levels, magnitudes,
                     column);
}

// Whether transforms of count values go in eight lanes.
bool EightLaneGroups(size_t count) { return EightLanes() && count >= 2; }

// Columns are gathered this many at a time: four cache lines of a row, which
// the measurements found faster than two or eight once the frequency buffer's
// rows no longer share the cache's sets.
constexpr int kColumnGroup = 16;

// How many of w columns of count values, from the first, get the levels of
// their magnitudes from the column pass: those it takes in groups of eight
// lanes.
int ColumnsWithLevels(int w, size_t count)
{
    return EightLaneGroups(count) ? w / kColumnGroup * kColumnGroup : 0;
}

// Transforms the transforms first .. last - 1, transform t at base + t *
// step, kColumnGroup (when apart by one value) or eight (rows, with AVX-512)
// or four, then two, then one at a time; before, when set, sees each group's
// transforms just before they are read, while they are in cache. Rows of
// levels, when given, are the input of the rows: eight at a time go
// straight into the lanes, others are written as values first. Columns
// below ColumnsWithLevels write their levels to magnitudes when it is set.
void TransformGroups(const FftTables& tables, FftValue* base, size_t step, size_t elementStep, size_t count,
                     int first, int last, Quad* lanes, int direction, const Fft2DRows& before,
                     const std::uint8_t* const* levels = nullptr, std::uint8_t* const* magnitudes = nullptr)
{
    auto group = [&](int from, int to, auto transform) {
        if (levels)
            for (int t = from; t < to; ++t) LevelsToValues(levels[t], static_cast<int>(count), base + t * step);
        else if (before)
            before(from, to);
        transform();
    };
    const bool eight = EightLaneGroups(count);
    Oct* const octs = reinterpret_cast<Oct*>(lanes);
    int t = first;
    if (step == 1)
        for (; t + kColumnGroup <= last; t += kColumnGroup)
            group(t, t + kColumnGroup, [&] {
                if (eight)
                    TransformOcts(tables, base + t, 1, elementStep, count, kColumnGroup / 8, octs, direction,
                                  nullptr, magnitudes, static_cast<size_t>(t));
                else
                    TransformQuads(tables, base + t, 1, elementStep, count, kColumnGroup / 4, lanes, direction);
            });
    if (eight && elementStep == 1)
        for (; t + 8 <= last; t += 8) {
            if (levels) {
                TransformOcts(tables, base + t * step, step, 1, count, 1, octs, direction, levels + t);
                continue;
            }
            group(t, t + 8, [&] { TransformOcts(tables, base + t * step, step, 1, count, 1, octs, direction); });
        }
    for (; t + 4 <= last; t += 4)
        group(t, t + 4,
              [&] { TransformQuads(tables, base + t * step, step, elementStep, count, 1, lanes, direction); });
    for (; t + 2 <= last; t += 2)
        group(t, t + 2, [&] {
            TransformLanes(tables, base + t * step, step, elementStep, count, 1, reinterpret_cast<Pair*>(lanes),
                           direction);
        });
    for (; t < last; ++t)
        group(t, t + 1, [&] {
            FftValue* one = base + t * step;
            if (elementStep == 1) {
                tables.Transform(one, direction);
                return;
            }
            FftValue* copy = reinterpret_cast<FftValue*>(lanes);
            for (size_t k = 0; k < count; ++k) copy[k] = one[k * elementStep];
            tables.Transform(copy, direction);
            for (size_t k = 0; k < count; ++k) one[k * elementStep] = copy[k];
        });
}

}  // namespace

void Fft2D(FftValue* data, int heightExponent, int widthExponent, int stride, int direction,
           const Fft2DRows& beforeRows, const std::uint8_t* const* levelRows, std::uint8_t* const* magnitudeRows)
{
    const size_t h = size_t{1} << heightExponent;
    const size_t w = size_t{1} << widthExponent;
    // Every band's lanes are had before any value changes, so that a failure
    // leaves the data as it was.
    const size_t lanesSize = 2 * std::max(h * kColumnGroup / 4, 2 * w);
    // The vector builds take the lanes to be aligned to their vectors' 64
    // bytes at most, more than the heap promises (and than alignof tells in
    // the plain build): four values more leave room to align them.
    constexpr std::uintptr_t kAlignment = sizeof(Oct);
    std::vector<FftValue> scratch(2 * lanesSize * static_cast<size_t>(parallel::ThreadCount()) + 4);
    const std::uintptr_t raw = reinterpret_cast<std::uintptr_t>(scratch.data());
    Quad* const allLanes = reinterpret_cast<Quad*>((raw + kAlignment - 1) & ~(kAlignment - 1));
    // Chunk boundaries fall between groups.
    constexpr int kChunk = 64;
    const int rowCount = static_cast<int>(h), columnCount = static_cast<int>(w);

    const FftTables rows(widthExponent);
    ForSharedChunks(rowCount, columnCount, kChunk, [&](int first, int last, int thread) {
        TransformGroups(rows, data, static_cast<size_t>(stride), 1, w, first, last, allLanes + lanesSize * thread,
                        direction, beforeRows, levelRows);
    });

    // Neighbouring columns side by side: each cache line of the array is
    // read once for four of them (eight with AVX-512).
    const FftTables columns = heightExponent == widthExponent ? rows : FftTables(heightExponent);
    ForSharedChunks(columnCount, rowCount, kChunk, [&](int first, int last, int thread) {
        TransformGroups(columns, data, 1, static_cast<size_t>(stride), h, first, last, allLanes + lanesSize * thread,
                        direction, {}, nullptr, magnitudeRows);
    });
    if (!magnitudeRows) return;
    const int made = ColumnsWithLevels(columnCount, h);
    if (made < columnCount)
        ForSharedChunks(rowCount, columnCount - made, kChunk, [&](int first, int last, int) {
            for (int y = first; y < last; ++y)
                MagnitudesToPixels(data + static_cast<size_t>(y) * static_cast<size_t>(stride) + made,
                                   columnCount - made, magnitudeRows[y] + made);
        });
}
