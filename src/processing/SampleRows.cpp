// The row conversions, cloned for AVX2: three-byte pixels take shuffles that
// the baseline instruction set has no cheap form of.
#include "processing/SampleRows.h"

#include "processing/VectorClones.h"

namespace neighbourhood {

NUVAK_VECTOR_CLONES
bool TakeRed(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    unsigned colour = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned red = bytes[3 * i], green = bytes[3 * i + 1], blue = bytes[3 * i + 2];
        values[i] = static_cast<std::uint8_t>(red);
        colour |= (red ^ green) | (green ^ blue);
    }
    return colour == 0;
}

void TakeLuminance(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values)
{
    if (TakeRed(pixels, count, values)) return;
    for (int i = 0; i < count; ++i) values[i] = static_cast<std::uint8_t>(pixels[i].Luminance());
}

NUVAK_VECTOR_CLONES
void StoreGrey(const std::uint8_t* __restrict values, int count, CColorVal* __restrict pixels)
{
    auto* bytes = reinterpret_cast<std::uint8_t*>(pixels);
    for (int i = 0; i < count; ++i) bytes[3 * i] = bytes[3 * i + 1] = bytes[3 * i + 2] = values[i];
}

}  // namespace neighbourhood
