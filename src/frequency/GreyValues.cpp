// Built without errno from the square root (a sum of squares is never
// negative), so that the loops run in vector lanes with the same values.
#include "frequency/GreyValues.h"

#include <cmath>
#include <cstdint>

#include "platform/VectorClones.h"

NUVAK_VECTOR_BUILDS(void, LevelsToValues, (const CColorVal* pixels, int n, std::complex<double>* out), (pixels, n, out))
{
    const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    double* v = reinterpret_cast<double*>(out);
    for (int x = 0; x < n; ++x) {
        v[2 * x] = bytes[3 * x];
        v[2 * x + 1] = 0.0;
    }
}

NUVAK_VECTOR_BUILDS(void, LevelsToValues,
                    (const std::uint8_t* levels, int n, std::complex<double>* out),
                    (levels, n, out))
{
    double* v = reinterpret_cast<double*>(out);
    for (int x = 0; x < n; ++x) {
        v[2 * x] = levels[x];
        v[2 * x + 1] = 0.0;
    }
}

NUVAK_VECTOR_BUILDS(void, MagnitudesToPixels,
                    (const std::complex<double>* values, int n, std::uint8_t* __restrict levels),
                    (values, n, levels))
{
    const double* __restrict v = reinterpret_cast<const double*>(values);
    for (int x = 0; x < n; ++x) {
        const double re = v[2 * x], im = v[2 * x + 1];
        const double magnitude = std::sqrt(re * re + im * im);
        // Compared before the conversion so that huge values cannot overflow an int.
        levels[x] = static_cast<std::uint8_t>(magnitude < 255 ? static_cast<int>(magnitude) : 255);
    }
}

