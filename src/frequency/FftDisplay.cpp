// FftForDisplay: the spectrum in dataArray as a centred log-magnitude picture.
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "frequency/DataArray.h"
#include "image/Image.h"
#include "platform/Blocks.h"
#include "processing/ParallelRows.h"
#include "processing/VectorClones.h"

namespace {

// 1 + sqrt(re^2 + im^2) of count values given as real, imaginary, ...
NUVAK_VECTOR_CLONES void OnePlusMagnitudes(const double* __restrict values, size_t count, double* __restrict out)
{
    for (size_t i = 0; i < count; ++i) {
        const double re = values[2 * i], im = values[2 * i + 1];
        out[i] = 1 + std::sqrt(re * re + im * im);
    }
}

// The display level of each of n values: the product with v itself, not a
// division by the range, truncated; beyond 255 (or not a number) it is 255.
NUVAK_VECTOR_CLONES void Levels(const double* __restrict v, int n, double vmin, double vmax,
                                std::uint8_t* __restrict out)
{
    for (int c = 0; c < n; ++c) {
        const double product = 255 * v[c] * (std::min(v[c], vmax) - vmin);
        const double level = v[c] < vmin ? 0 : product;
        out[c] = static_cast<std::uint8_t>(static_cast<int>(level <= 255 ? level : 255));
    }
}

// n grey pixels of the given levels.
NUVAK_VECTOR_CLONES void GreyPixels(const std::uint8_t* __restrict levels, int n, CColorVal* __restrict out)
{
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(out);
    for (int x = 0; x < n; ++x) bytes[3 * x] = bytes[3 * x + 1] = bytes[3 * x + 2] = levels[x];
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
    try {
        magnitudes = platform::MakeZeroedBlock<double>(static_cast<size_t>(width) * height);
    } catch (const std::bad_alloc&) {
        errorMessage = noMemory;
        return -1;
    }
    if (IsEmpty()) return 0;
    if (!PrepareDataArray(*this)) {
        errorMessage = noMemory;
        return -1;
    }

    // The range of the values met in order, the first one included even when
    // it is not a number (then every comparison with it fails); bands keep
    // their own range of numbers, merged in any order.
    const FrequencyBuffer::Value* data = dataArray.data();
    double vmin = std::numeric_limits<double>::infinity(), vmax = -vmin;
    std::mutex merging;
    parallel::ForBands(0, height, width, [&](int first, int last) {
        const size_t begin = static_cast<size_t>(first) * width, end = static_cast<size_t>(last) * width;
        OnePlusMagnitudes(reinterpret_cast<const double*>(data + begin), end - begin, &magnitudes[begin]);
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (size_t i = begin; i < end; ++i) {
            const double v = std::log(magnitudes[i]);
            magnitudes[i] = v;
            if (v < low) low = v;
            if (v > high) high = v;
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
    parallel::ForBands(0, height, width, [&](int first, int last) {
        std::vector<std::uint8_t> levels(static_cast<size_t>(width));
        for (int r = first; r < last; ++r) {
            Levels(&magnitudes[static_cast<size_t>(r) * width], width, vmin, vmax, levels.data());
            CColorVal* out = pixelValueArray[(r + halfHeight) % height];
            const int right = width - halfWidth;  // columns that move right
            GreyPixels(levels.data(), right, out + halfWidth);
            GreyPixels(levels.data() + right, halfWidth, out);
        }
    });
    return 0;
}
