// Grey-level erosion and dilation with flat line and square elements, and
// the opening and closing built from them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/ElementRows.h"
#include "processing/ExtremePair.h"
#include "processing/Neighbourhood.h"
#include "processing/RowWindow.h"

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
// structuring element, written as grey pixels into the AOI, a few rows at a
// time.
template <bool Max>
int Extreme(CImage& image, int size, int direction, const NeighbourhoodTexts& texts)
{
    int n = size;
    if (PrepareMorphology(image, n, texts) != 0) return -1;
    const int half = n / 2, group = ElementRows::Group(n);
    const int columns = image.aoiRight - image.aoiLeft + 1;
    return WithWorkingStorage(image, texts, [&] {
        OverBandRows(
            image, half,
            [&](const auto& rows) {
                RowWindow samples(rows, static_cast<size_t>(rows.span()), takeReds);
                ElementRows element(n, direction, columns, Max);
                auto source = [&](int y) { return samples.at(y); };
                for (int y = rows.first(); y < rows.last(); y += group)
                    element.MakeInto(rows, source, y, std::min(group, rows.last() - y));
            },
            half, group);
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
