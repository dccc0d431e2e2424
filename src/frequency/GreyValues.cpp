// Built without errno from the square root (a sum of squares is never
// negative), so that the loops run in vector lanes with the same values.
#include "frequency/GreyValues.h"

#include <cmath>
#include <cstdint>

#include "processing/VectorClones.h"

NUVAK_VECTOR_CLONES void LevelsToValues(const CColorVal* pixels, int n, std::complex<double>* out)
{
    const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    double* v = reinterpret_cast<double*>(out);
    for (int x = 0; x < n; ++x) {
        v[2 * x] = bytes[3 * x];
        v[2 * x + 1] = 0.0;
    }
}

NUVAK_VECTOR_CLONES void MagnitudesToPixels(const std::complex<double>* values, int n, CColorVal* out)
{
    constexpr int kChunk = 64;
    const double* v = reinterpret_cast<const double*>(values);
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(out);
    for (int first = 0; first < n; first += kChunk) {
        const int count = n - first < kChunk ? n - first : kChunk;
        std::uint8_t levels[kChunk];
        for (int x = 0; x < count; ++x) {
            const double re = v[2 * (first + x)], im = v[2 * (first + x) + 1];
            const double magnitude = std::sqrt(re * re + im * im);
            // Compared before the conversion so that huge values cannot overflow an int.
            levels[x] = static_cast<std::uint8_t>(magnitude < 255 ? static_cast<int>(magnitude) : 255);
        }
        for (int x = 0; x < count; ++x)
            bytes[3 * (first + x)] = bytes[3 * (first + x) + 1] = bytes[3 * (first + x) + 2] = levels[x];
    }
}
