// The double row loops of the kernel filters, cloned for processors with AVX2.
#include "processing/NeighbourhoodSums.h"

namespace neighbourhood {

NUVAK_VECTOR_CLONES
void AddWeighted(double* __restrict sums, const std::uint8_t* __restrict samples, size_t count, double weight)
{
    for (size_t j = 0; j < count; ++j) sums[j] += weight * samples[j];
}

NUVAK_VECTOR_CLONES
void RoundRow(const double* __restrict sums, size_t count, std::uint8_t* __restrict values)
{
    // RoundToByte without branches: a sum not above 0 (or not a number)
    // gives 0, one of 255 or more gives 255, any other trunc(sum + 0.5).
    for (size_t j = 0; j < count; ++j) {
        const double positive = sums[j] > 0 ? sums[j] : 0.0;
        const double limited = positive < 255 ? positive : 255.0;
        values[j] = static_cast<std::uint8_t>(static_cast<int>(limited + 0.5));
    }
}

}  // namespace neighbourhood
