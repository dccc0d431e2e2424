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
    const int half = n / 2, group = ElementRows::Group(n);
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
                const int kept = 2 * half + group + 1, top = rows.first() - half;
                std::vector<std::uint8_t> made(static_cast<size_t>(kept) * span);
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
                std::uint8_t* outs[kAlignedGroup];
                int next = top;
                for (int y = rows.first(); y < rows.last(); y += group) {
                    const int count = std::min(group, rows.last() - y);
                    for (const int upto = y + count - 1 + half; next <= upto;) {
                        // Rows of the AOI in a group; a row outside it is the image's own.
                        int ready = 0;
                        while (ready < group && next + ready <= upto && (outs[ready] = place(next + ready))) ++ready;
                        if (ready > 0) first.Make(original, next, outs, ready);
                        next += std::max(ready, 1);
                    }
                    last.MakeInto(rows, between, y, count);
                }
            },
            half, group);
    });
}

}  // namespace neighbourhood
