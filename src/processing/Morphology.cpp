// Grey-level erosion and dilation with flat line and square elements, and
// the opening and closing built from them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/RowWindow.h"
#include "processing/SampleRows.h"

using namespace neighbourhood;

namespace {

enum Direction { Omnidirectional = 0, Horizontal = 1, Vertical = 2, Diagonal = 3 };

// out[i] = the extreme over k of rows[k][i + shifts[k]] for columns values;
// one row at a time across all columns, which the compiler vectorises.
template <bool Max>
void ExtremeOfRows(const std::uint8_t* const* rows, const int* shifts, int n, int columns, std::uint8_t* out)
{
    std::copy(rows[0] + shifts[0], rows[0] + shifts[0] + columns, out);
    for (int k = 1; k < n; ++k) {
        const std::uint8_t* in = rows[k] + shifts[k];
        for (int i = 0; i < columns; ++i) out[i] = Max ? std::max(out[i], in[i]) : std::min(out[i], in[i]);
    }
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
    const int half = n / 2;
    const int columns = image.aoiRight - image.aoiLeft + 1;
    // Rows of samples start half a neighbourhood left of the AOI. The
    // element's pixel k, from the top (or the left for the horizontal line),
    // lies in row y + line[k] and column x + shifts[k] - half.
    std::vector<int> line(static_cast<size_t>(n)), shifts(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const size_t i = static_cast<size_t>(k);
        line[i] = direction == Horizontal ? 0 : k - half;
        shifts[i] = direction == Horizontal ? k : direction == Diagonal ? 2 * half - k : half;
    }
    // The square is a row of n followed by a column of n: its rows of
    // samples are the horizontal extremes already, aligned with the AOI.
    const bool square = direction != Horizontal && direction != Vertical && direction != Diagonal;
    if (square) std::fill(shifts.begin(), shifts.end(), 0);
    return WithWorkingStorage(image, texts, [&] {
        OverBandRows(image, half, [&](const BandRows& rows) {
            const size_t span = static_cast<size_t>(rows.span());
            std::vector<int> across(static_cast<size_t>(n));
            for (int k = 0; k < n; ++k) across[static_cast<size_t>(k)] = k;
            std::vector<const std::uint8_t*> pointers(static_cast<size_t>(n));
            auto takeAcross = [&, red = std::vector<std::uint8_t>(span)](const CColorVal* in, int count,
                                                                          std::uint8_t* out) mutable {
                TakeReds(in, count, red.data());
                pointers.assign(pointers.size(), red.data());
                ExtremeOfRows<Max>(pointers.data(), across.data(), n, columns, out);
            };
            std::vector<std::uint8_t> out(static_cast<size_t>(columns));
            std::vector<const std::uint8_t*> element(static_cast<size_t>(n));
            auto run = [&](auto& samples) {
                for (int y = rows.first(); y < rows.last(); ++y) {
                    for (int k = 0; k < n; ++k) element[static_cast<size_t>(k)] = samples.at(y + line[static_cast<size_t>(k)]);
                    ExtremeOfRows<Max>(element.data(), shifts.data(), n, columns, out.data());
                    StoreGrey(out.data(), columns, image.pixelValueArray[y] + image.aoiLeft);
                }
            };
            if (square) {
                RowWindow samples(rows, span, takeAcross);
                run(samples);
            } else {
                RowWindow samples(rows, span, &TakeReds);
                run(samples);
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
