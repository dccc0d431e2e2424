// The row loops of the kernel and box filters, cloned for processors with AVX2.
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

namespace {

template <typename Sum>
void AddRow(Sum* __restrict columns, const std::uint8_t* __restrict row, size_t length)
{
    for (size_t i = 0; i < length; ++i) columns[i] = static_cast<Sum>(columns[i] + row[i]);
}

template <typename Sum>
void SlideRow(Sum* __restrict columns, const std::uint8_t* __restrict entering, const std::uint8_t* __restrict leaving,
              size_t length)
{
    for (size_t i = 0; i < length; ++i) columns[i] = static_cast<Sum>(columns[i] + entering[i] - leaving[i]);
}

template <typename Sum>
void AddSums(Sum* __restrict sums, const Sum* __restrict columns, size_t length)
{
    for (size_t i = 0; i < length; ++i) sums[i] = static_cast<Sum>(sums[i] + columns[i]);
}

}  // namespace

NUVAK_VECTOR_CLONES
void AddSamples(std::uint16_t* __restrict columns, const std::uint8_t* __restrict row, size_t length)
{
    AddRow(columns, row, length);
}

NUVAK_VECTOR_CLONES
void AddSamples(int* __restrict columns, const std::uint8_t* __restrict row, size_t length)
{
    AddRow(columns, row, length);
}

NUVAK_VECTOR_CLONES
void SlideSamples(std::uint16_t* __restrict columns, const std::uint8_t* __restrict entering,
                  const std::uint8_t* __restrict leaving, size_t length)
{
    SlideRow(columns, entering, leaving, length);
}

NUVAK_VECTOR_CLONES
void SlideSamples(int* __restrict columns, const std::uint8_t* __restrict entering,
                  const std::uint8_t* __restrict leaving, size_t length)
{
    SlideRow(columns, entering, leaving, length);
}

NUVAK_VECTOR_CLONES
void AddShifted(std::uint16_t* __restrict sums, const std::uint16_t* __restrict columns, size_t length)
{
    AddSums(sums, columns, length);
}

NUVAK_VECTOR_CLONES
void AddShifted(int* __restrict sums, const int* __restrict columns, size_t length)
{
    AddSums(sums, columns, length);
}

}  // namespace neighbourhood
