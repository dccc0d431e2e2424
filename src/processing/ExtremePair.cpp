// Opening and closing make the first extreme's rows as the second one needs
// them, so the image is read and written once instead of twice.
#include "processing/ExtremePair.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/ElementRows.h"
#include "processing/RowWindow.h"

namespace neighbourhood {

int ExtremePair(CImage& image, int n, int direction, bool firstMax, const NeighbourhoodTexts& texts)
{
    if (PrepareMorphology(image, n, texts) != 0) return -1;
    const int half = n / 2;
    const int columns = image.aoiRight - image.aoiLeft + 1;
    return WithWorkingStorage(image, texts, [&] {
        // The second extreme's row y reads the first's rows y - half ..
        // y + half, which read the image's rows up to 2 x half away; across,
        // half columns around the AOI do, as the first keeps the pixels
        // outside the AOI as they are.
        OverBandRows(
            image, 2 * half,
            [&](const auto& rows) {
                const int span = rows.span();
                RowWindow samples(rows, static_cast<size_t>(span), takeReds);
                ElementRows first(n, direction, columns, firstMax), last(n, direction, columns, !firstMax);
                // The first's rows, half above to half below the rows made.
                const int kept = 2 * half + 3, top = rows.first() - half;
                std::vector<std::uint8_t> made(static_cast<size_t>(kept) * span), out(2 * static_cast<size_t>(columns));
                std::vector<const std::uint8_t*> middle(static_cast<size_t>(kept));
                auto slot = [&](int z) { return static_cast<size_t>((z - top) % kept); };
                auto original = [&](int z) { return samples.at(z); };
                auto between = [&](int z) { return middle[slot(z)]; };
                auto inAoi = [&](int z) { return z >= image.aoiTop && z <= image.aoiBottom; };
                // Row z of the first, taking the image's pixels left and right of the AOI.
                auto place = [&](int z) {
                    const std::uint8_t* in = samples.at(z);
                    middle[slot(z)] = in;
                    if (!inAoi(z)) return static_cast<std::uint8_t*>(nullptr);
                    std::uint8_t* row = made.data() + slot(z) * span;
                    std::copy(in, in + half, row);
                    std::copy(in + half + columns, in + span, row + half + columns);
                    middle[slot(z)] = row;
                    return row + half;
                };
                int next = top;
                for (int y = rows.first(); y < rows.last(); y += 2) {
                    const bool two = y + 1 < rows.last();
                    for (const int upto = y + two + half; next <= upto;) {
                        std::uint8_t* into = place(next);
                        std::uint8_t* below = next < upto && into && inAoi(next + 1) ? place(next + 1) : nullptr;
                        if (into) first.Make(original, next, into, below);
                        next += below ? 2 : 1;
                    }
                    std::uint8_t* result = SamplesOf(rows, y, out.data());
                    std::uint8_t* second = two ? SamplesOf(rows, y + 1, out.data() + columns) : nullptr;
                    last.Make(between, y, result, second);
                    StoreSamples(rows, y, result, columns);
                    if (two) StoreSamples(rows, y + 1, second, columns);
                }
            },
            half);
    });
}

}  // namespace neighbourhood
