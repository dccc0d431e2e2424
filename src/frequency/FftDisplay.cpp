// FftForDisplay: the spectrum in dataArray as a centred log-magnitude picture.
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "frequency/DataArray.h"
#include "frequency/NearLog.h"
#include "frequency/SharedChunks.h"
#include "image/Image.h"
#include "platform/Blocks.h"
#include "platform/VectorClones.h"

namespace {

// Four doubles, one vector of the AVX2 build.
typedef double Lanes __attribute__((vector_size(32)));

// Lowers low to the smallest and raises high to the largest of n values,
// passing over those that are not numbers. The values (logarithms of at
// least 1) are never -0, so equal ones are alike and the lanes may take them
// in any order.
NUVAK_VECTOR_BUILDS(void, Extend, (const double* __restrict v, size_t n, double& low, double& high), (v, n, low, high))
{
    // Four pairs of lanes side by side: a comparison need not wait for the
    // one before it.
    constexpr int kPairs = 4;
    Lanes l[kPairs], h[kPairs];
    for (int a = 0; a < kPairs; ++a) l[a] = Lanes{low, low, low, low}, h[a] = Lanes{high, high, high, high};
    size_t i = 0;
    for (; i + 4 * kPairs <= n; i += 4 * kPairs)
        for (int a = 0; a < kPairs; ++a) {
            Lanes x;
            std::memcpy(&x, v + i + 4 * a, sizeof x);
            l[a] = x < l[a] ? x : l[a];
            h[a] = x > h[a] ? x : h[a];
        }
    for (int a = 0; a < kPairs; ++a)
        for (int k = 0; k < 4; ++k) {
            low = l[a][k] < low ? l[a][k] : low;
            high = h[a][k] > high ? h[a][k] : high;
        }
    for (; i < n; ++i) {
        low = v[i] < low ? v[i] : low;
        high = v[i] > high ? v[i] : high;
    }
}

// ln(1 + |value|), the exact displayed value.
double ExactValue(const FrequencyBuffer::Value& value)
{
    const double re = value.real(), im = value.imag();
    return std::log(1 + std::sqrt(re * re + im * im));
}

// The display level of v: the product with v itself, not a division by the
// range, truncated; beyond 255 (or not a number) it is 255.
std::uint8_t ExactLevel(double v, double vmin, double vmax)
{
    double level = v < vmin ? 0 : 255 * v * (std::min(v, vmax) - vmin);
    if (!(level <= 255)) level = 255;
    return static_cast<std::uint8_t>(static_cast<int>(level));
}

// With v within kNearLogError of the exact value and vmin <= v <= vmax the
// exact range, the level differs from the exact one by at most 255 x 710 x
// kNearLogError (v stays below 355), 1.8e-4, and rounding.
constexpr double kLevelMargin = 1e-3;

// Rows a thread takes at a time.
constexpr int kRowChunk = 32;

// The levels of n near values wherever the margin around them holds one whole
// number or lies beyond 255; elsewhere (and for values that are not
// numbers) unsure is set and the level must be had exactly. True when some
// level is unsure.
NUVAK_WIDE_BUILDS(bool, NearLevels,
                  (const double* __restrict v, int n, double vmin, double vmax, std::uint8_t* __restrict out,
                   std::uint8_t* __restrict unsure),
                  (v, n, vmin, vmax, out, unsure))
{
    // Tests of doubles only, combined bitwise: the loop then has no branch.
    for (int c = 0; c < n; ++c) {
        const double level = 255 * v[c] * (std::min(v[c], vmax) - vmin);
        const double lo = level - kLevelMargin, hi = level + kLevelMargin;
        const bool capped = lo > 255;
        const bool inside = (lo >= 0) & (hi < 255);
        const double whole = std::trunc(inside ? lo : 0);
        // hi below 1 is level 0: the exact level is not negative.
        const bool sure = capped | (hi < 1) | (inside & (whole == std::trunc(hi)));
        out[c] = static_cast<std::uint8_t>(static_cast<int>(capped ? 255 : whole));
        unsure[c] = !sure;
    }
    std::uint8_t any = 0;
    for (int c = 0; c < n; ++c) any |= unsure[c];
    return any != 0;
}

}  // namespace

int CImage::FftForDisplay()
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::FftForDisplay() only defined on grayscale images";
        return -1;
    }
    const char* const noMemory = "CImage::FftForDisplay() aborted:  failed to allocate memory for mag.";
    // A block like the image's own: large ones come on few, large pages.
    platform::Block<double> magnitudes;
    // Each row's range of near values, which tells the rows that may hold an
    // extreme one.
    std::vector<double> rowLow, rowHigh;
    // The picture is grey: a plane of one byte a pixel, which replaces the
    // pixels once it is whole.
    GreyRows picture;
    try {
        // Both are written whole before they are read.
        picture.AllocateUnfilled(width, height);
        magnitudes = platform::MakeUnfilledBlock<double>(static_cast<size_t>(width) * height);
        rowLow.resize(static_cast<size_t>(height));
        rowHigh.resize(static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        errorMessage = noMemory;
        return -1;
    }
    if (IsEmpty()) return 0;
    if (!PrepareDataArray(*this)) {
        errorMessage = noMemory;
        return -1;
    }

    // Near logarithms first; the range from the exact values of those that
    // can be extreme, within twice the error of the near extremes. The range
    // is that of the values met in order, the first one included even when
    // it is not a number (then every comparison with it fails); chunks keep
    // their own range of numbers, merged in any order.
    const FrequencyBuffer& data = dataArray;
    double nearMin = std::numeric_limits<double>::infinity(), nearMax = -nearMin;
    std::mutex merging;
    ForSharedChunks(height, width, kRowChunk, [&](int first, int last, int) {
        double low = std::numeric_limits<double>::infinity(), high = -low;
        // Row by row, so that each step finds the values in cache.
        for (int r = first; r < last; ++r) {
            const size_t begin = static_cast<size_t>(r) * width;
            NearLogMagnitudes(reinterpret_cast<const double*>(data[r]), width, &magnitudes[begin]);
            rowLow[r] = std::numeric_limits<double>::infinity();
            rowHigh[r] = -rowLow[r];
            Extend(&magnitudes[begin], width, rowLow[r], rowHigh[r]);
            low = std::min(low, rowLow[r]);
            high = std::max(high, rowHigh[r]);
        }
        const std::lock_guard<std::mutex> lock(merging);
        nearMin = std::min(nearMin, low);
        nearMax = std::max(nearMax, high);
    });
    double vmin = std::numeric_limits<double>::infinity(), vmax = -vmin;
    ForSharedChunks(height, width, kRowChunk, [&](int first, int last, int) {
        double low = std::numeric_limits<double>::infinity(), high = -low;
        const double lowBound = nearMin + 2 * kNearLogError, highBound = nearMax - 2 * kNearLogError;
        for (int r = first; r < last; ++r) {
            const size_t begin = static_cast<size_t>(r) * width, end = begin + width;
            if (!(rowLow[r] <= lowBound || rowHigh[r] >= highBound)) continue;
            for (size_t i = begin; i < end; ++i) {
                if (magnitudes[i] <= lowBound) low = std::min(low, ExactValue(data[r][i - begin]));
                if (magnitudes[i] >= highBound) high = std::max(high, ExactValue(data[r][i - begin]));
            }
        }
        const std::lock_guard<std::mutex> lock(merging);
        vmin = std::min(vmin, low);
        vmax = std::max(vmax, high);
    });
    if (std::isnan(magnitudes[0])) vmin = vmax = magnitudes[0];

    // Data row r, column c goes to pixel row (r + H/2) mod H, column
    // (c + W/2) mod W: the row's two halves change places.
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    ForSharedChunks(height, width, kRowChunk, [&](int first, int last, int) {
        std::vector<std::uint8_t> levels(static_cast<size_t>(width)), unsure(static_cast<size_t>(width));
        for (int r = first; r < last; ++r) {
            const size_t row = static_cast<size_t>(r) * width;
            if (NearLevels(&magnitudes[row], width, vmin, vmax, levels.data(), unsure.data()))
                for (int c = 0; c < width; ++c)
                    if (unsure[c]) levels[c] = ExactLevel(ExactValue(data[r][c]), vmin, vmax);
            std::uint8_t* out = picture[(r + halfHeight) % height];
            const int right = width - halfWidth;  // columns that move right
            std::memcpy(out + halfWidth, levels.data(), static_cast<size_t>(right));
            std::memcpy(out, levels.data() + right, static_cast<size_t>(halfWidth));
        }
    });
    pixelValueArray = std::move(picture);
    return 0;
}
