// FftForDisplay: the spectrum in dataArray as a centred log-magnitude picture.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <new>

#include "frequency/DataArray.h"
#include "image/Image.h"
#include "processing/ParallelRows.h"

int CImage::FftForDisplay()
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::FftForDisplay() only defined on grayscale images";
        return -1;
    }
    const char* const noMemory = "CImage::FftForDisplay() aborted:  failed to allocate memory for mag.";
    std::unique_ptr<double[]> magnitudes(new (std::nothrow) double[static_cast<size_t>(width) * height]);
    if (!magnitudes) {
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
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (size_t i = static_cast<size_t>(first) * width; i < static_cast<size_t>(last) * width; ++i) {
            const double re = data[i].real(), im = data[i].imag();
            const double v = std::log(1 + std::sqrt(re * re + im * im));
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
    // (c + W/2) mod W.
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    parallel::ForBands(0, height, width, [&](int first, int last) {
        for (int r = first; r < last; ++r) {
            const double* v = &magnitudes[static_cast<size_t>(r) * width];
            CColorVal* out = pixelValueArray[(r + halfHeight) % height];
            int x = halfWidth;
            for (int c = 0; c < width; ++c) {
                // The product with v itself, not a division by the range.
                double level = v[c] < vmin ? 0 : 255 * v[c] * (std::min(v[c], vmax) - vmin);
                if (!(level <= 255)) level = 255;
                const int grey = static_cast<int>(level);
                out[x] = CColorVal(grey, grey, grey);
                if (++x == width) x = 0;
            }
        }
    });
    return 0;
}
