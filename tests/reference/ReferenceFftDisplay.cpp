// The spectrum display value by value, in one pass over the rows.
#include "reference/ReferenceFftDisplay.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace reference {

void FftForDisplay(CImage& image)
{
    const int w = image.width, h = image.height;
    std::vector<double> v(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < v.size(); ++i) {
        const FrequencyBuffer::Value value = image.dataArray[static_cast<int>(i / w)][i % w];
        v[i] = std::log(1 + std::sqrt(value.real() * value.real() + value.imag() * value.imag()));
    }
    double vmin = v[0], vmax = v[0];
    for (const double x : v) {
        if (x < vmin) vmin = x;
        if (x > vmax) vmax = x;
    }
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const double x = v[static_cast<size_t>(r) * w + c];
            double level = x < vmin ? 0 : 255 * x * (std::min(x, vmax) - vmin);
            if (!(level <= 255)) level = 255;
            const int grey = static_cast<int>(level);
            image.pixelValueArray[(r + h / 2) % h][(c + w / 2) % w] = CColorVal(grey, grey, grey);
        }
}

}  // namespace reference
