// The rows of an erosion or a dilation with a line or square element, made
// one or two at a time from rows of samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "processing/ExtremePair.h"
#include "processing/ExtremeRows.h"

namespace neighbourhood {

// Rows of one extreme, columns wide and aligned with the AOI, each from the
// rows y - half .. y + half of samples that start half columns left of the
// AOI; rows are made in order, one or two at a time. The square takes the
// extremes down its columns first, over the AOI and half a square on either
// side, then along the row: no rows but the result are kept.
class ElementRows {
public:
    ElementRows(int n, int direction, int columns, bool max)
        : n_(n),
          half_(n / 2),
          // Any direction but the three lines is the square.
          direction_(direction == Horizontal || direction == Vertical || direction == Diagonal ? direction
                                                                                              : Omnidirectional),
          columns_(columns),
          width_(direction_ == Omnidirectional ? columns + 2 * half_ : columns),
          max_(max),
          shifts_(static_cast<size_t>(n)),
          element_(static_cast<size_t>(n)),
          scratch_(2 * static_cast<size_t>(columns + n)),
          shared_(static_cast<size_t>(width_)),
          down_(direction_ == Omnidirectional ? 2 * static_cast<size_t>(width_) : 0)
    {
        // The element's pixel k from the top lies in row y + k - half and
        // column x + shifts[k] - half.
        for (int k = 0; k < n; ++k)
            shifts_[static_cast<size_t>(k)] =
                direction_ == Diagonal ? 2 * half_ - k : direction_ == Omnidirectional ? 0 : half_;
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
        const bool square = direction_ == Omnidirectional;
        std::uint8_t* const down = square ? down_.data() : out;
        std::uint8_t* const downBelow = square ? down_.data() + width_ : below;
        if (!below || direction_ == Diagonal) {
            Take(source, y - half_, n_);
            ExtremeOfRows(element_.data(), shifts_.data(), n_, width_, down, max_);
            if (square) ExtremeAlongRow(down, n_, columns_, out, scratch_.data(), max_);
            if (below) Make(source, y + 1, below);
            return;
        }
        // Where the element's rows line up, the n - 1 rows both rows share
        // are taken once, then each row's own outer one.
        Take(source, y - half_, n_ + 1);
        ExtremeOfRows(element_.data() + 1, shifts_.data(), n_ - 1, width_, shared_.data(), max_);
        const int shifts[2] = {0, shifts_[0]};
        const std::uint8_t* upper[2] = {shared_.data(), element_[0]};
        const std::uint8_t* lower[2] = {shared_.data(), element_[static_cast<size_t>(n_)]};
        ExtremeOfRows(upper, shifts, 2, width_, down, max_);
        ExtremeOfRows(lower, shifts, 2, width_, downBelow, max_);
        if (!square) return;
        ExtremeAlongRow(down, n_, columns_, out, scratch_.data(), max_);
        ExtremeAlongRow(downBelow, n_, columns_, below, scratch_.data(), max_);
    }

private:
    // The element's rows from top on, count of them.
    template <typename Source>
    void Take(const Source& source, int top, int count)
    {
        element_.resize(static_cast<size_t>(count));
        for (int k = 0; k < count; ++k) element_[static_cast<size_t>(k)] = source(top + k);
    }

    int n_, half_, direction_, columns_, width_;
    bool max_;
    std::vector<int> shifts_;
    std::vector<const std::uint8_t*> element_;
    std::vector<std::uint8_t> scratch_, shared_, down_;
};

}  // namespace neighbourhood
