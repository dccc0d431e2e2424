// Opening and closing make the first extreme's rows as the second one needs
// them, so the image is read and written once instead of twice.
#include "processing/ExtremePair.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/ExtremeRows.h"
#include "processing/RowWindow.h"

namespace neighbourhood {

namespace {

// Rows of one extreme, columns wide and aligned with the AOI, each from the
// rows y - half .. y + half of samples that start half columns left of the
// AOI; rows are made in order, one or two at a time.
class ElementRows {
public:
    ElementRows(int n, int direction, int columns, bool max)
        : n_(n),
          half_(n / 2),
          direction_(direction),
          columns_(columns),
          max_(max),
          shifts_(static_cast<size_t>(n)),
          element_(static_cast<size_t>(n)),
          scratch_(2 * static_cast<size_t>(columns + n)),
          shared_(static_cast<size_t>(columns)),
          along_(direction == Omnidirectional ? static_cast<size_t>(n + 2) * columns : 0)
    {
        // The element's pixel k from the top lies in row y + k - half and
        // column x + shifts[k] - half; the square takes the rows of extremes
        // along the row, which are aligned with the AOI already.
        for (int k = 0; k < n; ++k)
            shifts_[static_cast<size_t>(k)] =
                direction == Diagonal ? 2 * half_ - k : direction == Omnidirectional ? 0 : half_;
    }

    // Row y into out, and row y + 1 into below when given.
    template <typename Source>
    void Make(const Source& source, int y, std::uint8_t* out, std::uint8_t* below = nullptr)
    {
        if (direction_ == Horizontal) {
            ExtremeAlongRow(source(y), n_, columns_, out, scratch_.data(), max_);
            if (below) ExtremeAlongRow(source(y + 1), n_, columns_, below, scratch_.data(), max_);
            return;
        }
        if (!below || direction_ == Diagonal) {
            Take(source, y - half_, n_);
            ExtremeOfRows(element_.data(), shifts_.data(), n_, columns_, out, max_);
            if (below) Make(source, y + 1, below);
            return;
        }
        // Where the element's rows line up, the n - 1 rows both rows share
        // are taken once, then each row's own outer one.
        Take(source, y - half_, n_ + 1);
        const std::uint8_t* const outer = element_[0];
        const std::uint8_t* const last = element_[static_cast<size_t>(n_)];
        ExtremeOfRows(element_.data() + 1, shifts_.data(), n_ - 1, columns_, shared_.data(), max_);
        const int shifts[2] = {0, shifts_[0]};
        const std::uint8_t* upper[2] = {shared_.data(), outer};
        const std::uint8_t* lower[2] = {shared_.data(), last};
        ExtremeOfRows(upper, shifts, 2, columns_, out, max_);
        ExtremeOfRows(lower, shifts, 2, columns_, below, max_);
    }

private:
    // The element's rows from top on, count of them, taken in order.
    template <typename Source>
    void Take(const Source& source, int top, int count)
    {
        element_.resize(static_cast<size_t>(count));
        for (int k = 0; k < count; ++k)
            element_[static_cast<size_t>(k)] = direction_ == Omnidirectional ? Along(source, top + k) : source(top + k);
    }

    // Row y's extremes along the square's rows, made once for the rows of
    // the result that use them.
    template <typename Source>
    const std::uint8_t* Along(const Source& source, int y)
    {
        if (next_ < 0) base_ = next_ = y;
        auto slot = [&](int row) { return along_.data() + static_cast<size_t>((row - base_) % (n_ + 2)) * columns_; };
        for (; next_ <= y; ++next_) ExtremeAlongRow(source(next_), n_, columns_, slot(next_), scratch_.data(), max_);
        return slot(y);
    }

    int n_, half_, direction_, columns_;
    bool max_;
    std::vector<int> shifts_;
    std::vector<const std::uint8_t*> element_;
    std::vector<std::uint8_t> scratch_, shared_, along_;
    int base_ = 0, next_ = -1;
};

}  // namespace

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
