// FftForDisplay: the spectrum in dataArray as a centred log-magnitude picture.
#include <algorithm>
#include <cmath>
#include <vector>

#include "frequency/DataArray.h"
#include "image/Image.h"

int CImage::FftForDisplay()
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::FftForDisplay() only defined on grayscale images";
        return -1;
    }
    const char* const noMemory = "CImage::FftForDisplay() aborted:  failed to allocate memory for mag.";
    std::vector<double> magnitudes;
    try {
        magnitudes.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    } catch (const std::exception&) {
        errorMessage = noMemory;
        return -1;
    }
    if (IsEmpty()) return 0;
    if (!PrepareDataArray(*this)) {
        errorMessage = noMemory;
        return -1;
    }

    const FrequencyBuffer::Value* data = dataArray.data();
    double vmin = 0, vmax = 0;
    for (size_t i = 0; i < magnitudes.size(); ++i) {
        const double re = data[i].real(), im = data[i].imag();
        const double v = std::log(1 + std::sqrt(re * re + im * im));
        magnitudes[i] = v;
        if (i == 0 || v < vmin) vmin = v;
        if (i == 0 || v > vmax) vmax = v;
    }

    // Data row r, column c goes to pixel row (r + H/2) mod H, column
    // (c + W/2) mod W.
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    for (int r = 0; r < height; ++r) {
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
    return 0;
}
