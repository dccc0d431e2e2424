// Grey-level erosion and dilation with flat line and square elements, and
// the opening and closing built from them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "image/Image.h"
#include "processing/ExtremePair.h"
#include "processing/ExtremeRows.h"
#include "processing/Neighbourhood.h"
#include "processing/RowWindow.h"
#include "image/SampleRows.h"

using namespace neighbourhood;

int neighbourhood::PrepareMorphology(CImage& image, int& n, const NeighbourhoodTexts& texts)
{
    if (image.format != FORMAT_GRAYSCALE) {
        image.errorMessage = "Morphological operations only defined on grayscale images";
        return -1;
    }
    return Prepare(image, n, texts);
}

namespace {

// The minimum (erosion) or maximum (dilation) of the R components under the
// structuring element, written as grey pixels into the AOI.
template <bool Max>
int Extreme(CImage& image, int size, int direction, const NeighbourhoodTexts& texts)
{
    int n = size;
    if (PrepareMorphology(image, n, texts) != 0) return -1;
    const int half = n / 2;
    const int columns = image.aoiRight - image.aoiLeft + 1;
    // Rows of samples start half a neighbourhood left of the AOI. The
    // element's pixel k from the top lies in row y + k - half and column
    // x + shifts[k] - half.
    std::vector<int> shifts(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) shifts[static_cast<size_t>(k)] = direction == Diagonal ? 2 * half - k : half;
    const bool vertical = direction == Vertical || direction == Diagonal;
    // The square is a row of n followed by a column of n: its rows of
    // samples are the horizontal extremes already, aligned with the AOI.
    if (direction != Horizontal && !vertical) std::fill(shifts.begin(), shifts.end(), 0);
    return WithWorkingStorage(image, texts, [&] {
        OverBandRows(image, half, [&](const auto& rows) {
            const size_t span = static_cast<size_t>(rows.span());
            std::vector<std::uint8_t> out(static_cast<size_t>(columns)), scratch(2 * span);
            std::vector<const std::uint8_t*> element(static_cast<size_t>(n));
            std::uint8_t* result = nullptr;
            auto target = [&](int y) { return result = SamplesOf(rows, y, out.data()); };
            auto write = [&](int y) { StoreSamples(rows, y, result, columns); };
            // Rows come in pairs where the element's rows line up: the n - 1
            // rows both share are taken once, then each row's own outer one.
            const bool aligned = direction != Diagonal;
            std::vector<std::uint8_t> shared(aligned ? static_cast<size_t>(columns) : 0);
            auto down = [&](auto& samples) {
                int y = rows.first();
                for (; aligned && y + 1 < rows.last(); y += 2) {
                    for (int k = 1; k < n; ++k) element[static_cast<size_t>(k - 1)] = samples.at(y - half + k);
                    ExtremeOfRows(element.data(), shifts.data(), n - 1, columns, shared.data(), Max);
                    const int outer[2] = {0, shifts[0]};
                    for (const int row : {y, y + 1}) {
                        const std::uint8_t* pair[2] = {shared.data(), samples.at(row == y ? y - half : y + 1 + half)};
                        ExtremeOfRows(pair, outer, 2, columns, target(row), Max);
                        write(row);
                    }
                }
                for (; y < rows.last(); ++y) {
                    for (int k = 0; k < n; ++k) element[static_cast<size_t>(k)] = samples.at(y - half + k);
                    ExtremeOfRows(element.data(), shifts.data(), n, columns, target(y), Max);
                    write(y);
                }
            };
            if (direction == Horizontal) {
                RowWindow samples(rows, span, takeReds);
                for (int y = rows.first(); y < rows.last(); ++y) {
                    ExtremeAlongRow(samples.at(y), n, columns, target(y), scratch.data(), Max);
                    write(y);
                }
            } else if (vertical) {
                RowWindow samples(rows, span, takeReds);
                down(samples);
            } else {
                RowWindow samples(rows, span, [&, red = std::vector<std::uint8_t>(span)](
                                                  const auto* in, int count, std::uint8_t* across) mutable {
                    // A grey plane's row is its samples already.
                    const std::uint8_t* levels = red.data();
                    if constexpr (std::is_same_v<std::decay_t<decltype(*in)>, std::uint8_t>)
                        levels = in;
                    else
                        TakeReds(in, count, red.data());
                    ExtremeAlongRow(levels, n, columns, across, scratch.data(), Max);
                });
                down(samples);
            }
        });
    });
}

// Runs the first extreme k times, then the second k times: the last of
// the first and the first of the second in one pass. After the first step
// the size is known to be settled, so its notice appears once.
template <bool FirstMax>
int Repeat(CImage& image, int size, int direction, int repetitions, const NeighbourhoodTexts& texts,
           const char* aborted)
{
    const NeighbourhoodTexts& secondTexts = FirstMax ? kErosion : kDilation;
    int n = size;
    auto step = [&](int kind) {
        const int done = kind == 0   ? Extreme<FirstMax>(image, n, direction, texts)
                         : kind == 1 ? ExtremePair(image, n, direction, FirstMax, texts)
                                     : Extreme<!FirstMax>(image, n, direction, secondTexts);
        if (done != 0) image.errorMessage += aborted;
        n = std::clamp(n, 3, 9);
        return done;
    };
    for (int pass = 1; pass < repetitions; ++pass)
        if (step(0) != 0) return -1;
    if (repetitions > 0 && step(1) != 0) return -1;
    for (int pass = 1; pass < repetitions; ++pass)
        if (step(2) != 0) return -1;
    return 0;
}

}  // namespace

int CImage::Erosion(int size, int direction) { return Extreme<false>(*this, size, direction, kErosion); }

int CImage::Dilation(int size, int direction) { return Extreme<true>(*this, size, direction, kDilation); }

int CImage::Opening(int size, int direction, int repetitions)
{
    return Repeat<false>(*this, size, direction, repetitions, kErosion, "\nOpening aborted");
}

int CImage::Closing(int size, int direction, int repetitions)
{
    return Repeat<true>(*this, size, direction, repetitions, kDilation, "\nClosing aborted");
}
