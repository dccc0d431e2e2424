// Grey-level erosion and dilation with flat line and square elements, and
// the opening and closing built from them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"
#include "processing/ParallelRows.h"

using namespace neighbourhood;

namespace {

enum Direction { Omnidirectional = 0, Horizontal = 1, Vertical = 2, Diagonal = 3 };

// dst[r][i] = the extreme over the offsets o of src[r][i + o], for rows x
// columns; one offset at a time over a whole row, which the compiler vectorises.
template <bool Max>
void LineExtreme(const std::uint8_t* src, std::ptrdiff_t srcStride, const std::vector<std::ptrdiff_t>& offsets,
                 int rows, int columns, std::uint8_t* dst, std::ptrdiff_t dstStride)
{
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* s = src + r * srcStride;
        std::uint8_t* d = dst + r * dstStride;
        std::copy(s + offsets[0], s + offsets[0] + columns, d);
        for (size_t k = 1; k < offsets.size(); ++k) {
            const std::uint8_t* t = s + offsets[k];
            for (int i = 0; i < columns; ++i) d[i] = Max ? std::max(d[i], t[i]) : std::min(d[i], t[i]);
        }
    }
}

std::vector<std::ptrdiff_t> Steps(int n, std::ptrdiff_t first, std::ptrdiff_t step)
{
    std::vector<std::ptrdiff_t> offsets;
    for (int k = 0; k < n; ++k) offsets.push_back(first + k * step);
    return offsets;
}

// The minimum (erosion) or maximum (dilation) of the R components under the
// structuring element, written as grey pixels into the AOI.
template <bool Max>
int Extreme(CImage& image, int size, int direction, const NeighbourhoodTexts& texts)
{
    if (image.format != FORMAT_GRAYSCALE) {
        image.errorMessage = "Morphological operations only defined on grayscale images";
        return -1;
    }
    int n = size;
    if (Prepare(image, n, texts) != 0) return -1;
    return WithWorkingStorage(image, texts, [&] {
        const int half = n / 2;
        const Plane<std::uint8_t> red(image, half, EachPixel([](const CColorVal& p) { return p.red; }));
        const std::ptrdiff_t span = red.span();
        const int columns = image.aoiRight - image.aoiLeft + 1;
        const int rows = image.aoiBottom - image.aoiTop + 1;
        // Bands of rows keep the passes' intermediate rows in cache.
        constexpr int kBand = 32;
        parallel::ForBands(0, rows, static_cast<long long>(columns) * n, [&](int bandFirst, int bandLast) {
            std::vector<std::uint8_t> across(static_cast<size_t>(columns) * (kBand + 2 * half));
            std::vector<std::uint8_t> result(static_cast<size_t>(columns) * kBand);
            for (int first = bandFirst; first < bandLast; first += kBand) {
                const int count = std::min(kBand, bandLast - first);
                const int top = image.aoiTop + first;
                const std::uint8_t* in = red.at(image.aoiLeft, top);
                switch (direction) {
                case Horizontal:
                    LineExtreme<Max>(in, span, Steps(n, -half, 1), count, columns, result.data(), columns);
                    break;
                case Vertical:
                    LineExtreme<Max>(in, span, Steps(n, -half * span, span), count, columns, result.data(), columns);
                    break;
                case Diagonal:
                    // From the upper right corner to the lower left one.
                    LineExtreme<Max>(in, span, Steps(n, half - half * span, span - 1), count, columns, result.data(),
                                     columns);
                    break;
                default:
                    // The square is a row of n followed by a column of n.
                    LineExtreme<Max>(red.at(image.aoiLeft, top - half), span, Steps(n, -half, 1), count + 2 * half,
                                     columns, across.data(), columns);
                    LineExtreme<Max>(across.data(), columns, Steps(n, 0, columns), count, columns, result.data(),
                                     columns);
                }
                for (int r = 0; r < count; ++r) {
                    StoreGrey(result.data() + static_cast<size_t>(r) * columns, columns,
                              image.pixelValueArray[top + r] + image.aoiLeft);
                }
            }
        });
    });
}

// Runs first k times, then second k times; after the first step the size is
// known to be settled, so its notice appears once.
template <typename First, typename Second>
int Repeat(CImage& image, int size, int repetitions, First first, Second second, const char* aborted)
{
    int n = size;
    for (const bool firstHalf : {true, false})
        for (int pass = 0; pass < repetitions; ++pass) {
            if ((firstHalf ? first(n) : second(n)) != 0) {
                image.errorMessage += aborted;
                return -1;
            }
            n = std::clamp(n, 3, 9);
        }
    return 0;
}

}  // namespace

int CImage::Erosion(int size, int direction) { return Extreme<false>(*this, size, direction, kErosion); }

int CImage::Dilation(int size, int direction) { return Extreme<true>(*this, size, direction, kDilation); }

int CImage::Opening(int size, int direction, int repetitions)
{
    return Repeat(
        *this, size, repetitions, [&](int n) { return Erosion(n, direction); },
        [&](int n) { return Dilation(n, direction); }, "\nOpening aborted");
}

int CImage::Closing(int size, int direction, int repetitions)
{
    return Repeat(
        *this, size, repetitions, [&](int n) { return Dilation(n, direction); },
        [&](int n) { return Erosion(n, direction); }, "\nClosing aborted");
}
