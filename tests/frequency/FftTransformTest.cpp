#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "frequency/FftTransform.h"

namespace {

// The transform as defined, O(N^2): forward divides by N, inverse does not.
std::vector<FftValue> NaiveDft(const std::vector<FftValue>& x, int direction)
{
    const size_t n = x.size();
    const double sign = direction == FFT_FORWARD ? -1 : 1;
    std::vector<FftValue> out(n);
    for (size_t k = 0; k < n; ++k) {
        FftValue sum = 0;
        for (size_t j = 0; j < n; ++j)
            sum += x[j] * std::polar(1.0, sign * 2 * std::numbers::pi * static_cast<double>((j * k) % n) / n);
        out[k] = direction == FFT_FORWARD ? sum / static_cast<double>(n) : sum;
    }
    return out;
}

double RelativeError(const std::vector<FftValue>& got, const std::vector<FftValue>& want)
{
    double worst = 0, scale = 0;
    for (size_t i = 0; i < want.size(); ++i) {
        worst = std::max(worst, std::abs(got[i] - want[i]));
        scale = std::max(scale, std::abs(want[i]));
    }
    return worst / scale;
}

std::vector<FftValue> RandomValues(size_t n, std::mt19937& rng)
{
    std::uniform_real_distribution<double> level(-255, 255);
    std::vector<FftValue> x(n);
    for (FftValue& v : x) v = FftValue(level(rng), level(rng));
    return x;
}

}  // namespace

TEST(Fft1D, MatchesTheDefinitionForEveryLengthUpTo1024)
{
    std::mt19937 rng(5);
    for (int m = 1; m <= 10; ++m) {
        for (int direction : {FFT_FORWARD, FFT_INVERSE}) {
            std::vector<FftValue> x = RandomValues(size_t{1} << m, rng);
            const std::vector<FftValue> want = NaiveDft(x, direction);
            Fft1D(x.data(), m, direction);
            EXPECT_LE(RelativeError(x, want), 1e-9) << "N = " << (1 << m) << " direction " << direction;
        }
    }
}

TEST(Fft1D, ForwardThenInverseGivesTheInputBack)
{
    std::mt19937 rng(7);
    const std::vector<FftValue> input = RandomValues(4096, rng);
    std::vector<FftValue> x = input;
    Fft1D(x.data(), 12, FFT_FORWARD);
    Fft1D(x.data(), 12, FFT_INVERSE);
    EXPECT_LE(RelativeError(x, input), 1e-12);
}

TEST(Fft1D, ForwardScalingLowersTheExponentOnly)
{
    // x = (v, 0, ..., 0) transforms to v / N in every bin, where the division
    // is done on the exponent field: values with a field below m stay as they
    // are, a field of exactly m drops to a zero field.
    const double subnormal = 1e-310;
    struct Case {
        int m;
        double v;
        double expected;
    } cases[] = {
        {1, 1.0, 0.5},
        {1, -3.0, -1.5},
        {3, 200.0, 25.0},
        {1, 0.0, 0.0},
        {1, subnormal, subnormal},
        {3, DBL_MIN * 2, DBL_MIN * 2},  // field 2, below m = 3
        {3, DBL_MIN * 4, 0.0},          // field 3 becomes 0, mantissa 0
        {1, DBL_MIN * 3, DBL_MIN * 3 / 2},
    };
    for (const Case& c : cases) {
        std::vector<FftValue> x(size_t{1} << c.m);
        x[0] = FftValue(c.v, -c.v);
        Fft1D(x.data(), c.m, FFT_FORWARD);
        for (const FftValue& value : x) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(value.real()), std::bit_cast<std::uint64_t>(c.expected))
                << c.v << " m " << c.m;
            EXPECT_EQ(value.imag(), -c.expected) << c.v;
        }
    }
}

TEST(Fft1D, LengthOneIsUnchanged)
{
    FftValue x(3.5, -2);
    Fft1D(&x, 0, FFT_FORWARD);
    EXPECT_EQ(x, FftValue(3.5, -2));
    Fft1D(&x, 0, FFT_INVERSE);
    EXPECT_EQ(x, FftValue(3.5, -2));
}

TEST(Fft2D, TransformsRowsThenColumns)
{
    std::mt19937 rng(11);
    struct Case {
        int heightExponent, widthExponent;
    } cases[] = {{3, 4}, {4, 3}, {1, 1}, {5, 0}, {0, 5}, {2, 6}};
    for (const Case& c : cases) {
        const int h = 1 << c.heightExponent, w = 1 << c.widthExponent;
        std::vector<FftValue> data = RandomValues(static_cast<size_t>(w) * h, rng);
        // The definition: every row, then every column, each by the plain DFT.
        std::vector<FftValue> want = data;
        for (int r = 0; r < h; ++r) {
            std::vector<FftValue> row(want.begin() + r * w, want.begin() + (r + 1) * w);
            row = NaiveDft(row, FFT_FORWARD);
            std::copy(row.begin(), row.end(), want.begin() + r * w);
        }
        for (int col = 0; col < w; ++col) {
            std::vector<FftValue> column(h);
            for (int r = 0; r < h; ++r) column[r] = want[r * w + col];
            column = NaiveDft(column, FFT_FORWARD);
            for (int r = 0; r < h; ++r) want[r * w + col] = column[r];
        }
        const std::vector<FftValue> input = data;
        Fft2D(data.data(), c.heightExponent, c.widthExponent, w, FFT_FORWARD);
        EXPECT_LE(RelativeError(data, want), 1e-9) << h << " x " << w;
        Fft2D(data.data(), c.heightExponent, c.widthExponent, w, FFT_INVERSE);
        EXPECT_LE(RelativeError(data, input), 1e-12) << h << " x " << w;
    }
}

TEST(Fft2D, MagnitudeRowsAreTheLevelsOfTheResult)
{
    // Spectra of whole levels come back within rounding of them, where the
    // level is j or j - 1 by the last bit; lone zero-frequency values give
    // every pixel the same value, those at and next to whole roots.
    std::mt19937 rng(5);
    std::vector<FftValue> lone;
    for (double j : {0.0, 1.0, 2.0, 3.0, 4.0, 7.0, 8.0, 100.0, 128.0, 254.0, 255.0, 256.0, 1e300})
        for (double v : {std::nextafter(j, 0.0), j, std::nextafter(j, 1e308)}) {
            lone.push_back({v, 0});
            lone.push_back({0, -v});
            lone.push_back({std::sqrt(std::nextafter(j * j, 0.0)), 0});
            lone.push_back({std::sqrt(j * j / 2), std::sqrt(j * j / 2)});
        }
    lone.push_back({std::numeric_limits<double>::quiet_NaN(), 0});
    lone.push_back({std::numeric_limits<double>::infinity(), 0});
    struct Case {
        int heightExponent, widthExponent;
        int lone;  // the index of the zero-frequency value, or -1 for levels
    } cases[] = {{6, 6, -1}, {3, 5, -1}, {6, 4, -1}, {0, 6, -1}, {2, 7, -1}};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (int i = 0; i < static_cast<int>(lone.size()); ++i) all.push_back({1, 5, i});
    for (const Case& c : all) {
        const int h = 1 << c.heightExponent, w = 1 << c.widthExponent;
        std::vector<FftValue> data(static_cast<size_t>(w) * h);
        if (c.lone >= 0) {
            data[0] = lone[static_cast<size_t>(c.lone)];
        } else {
            for (FftValue& v : data) v = static_cast<double>(rng() % 300);
            Fft2D(data.data(), c.heightExponent, c.widthExponent, w, FFT_FORWARD);
        }
        std::vector<std::uint8_t> levels(data.size(), 77), want(data.size());
        std::vector<std::uint8_t*> rows;
        for (int y = 0; y < h; ++y) rows.push_back(levels.data() + y * w);
        Fft2D(data.data(), c.heightExponent, c.widthExponent, w, FFT_INVERSE, {}, nullptr, rows.data());
        for (size_t i = 0; i < data.size(); ++i) {
            const double magnitude = std::sqrt(data[i].real() * data[i].real() + data[i].imag() * data[i].imag());
            want[i] = static_cast<std::uint8_t>(magnitude < 255 ? static_cast<int>(magnitude) : 255);
        }
        EXPECT_EQ(levels, want) << h << " x " << w << " value " << c.lone;
    }
}
