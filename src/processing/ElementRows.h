// The rows of an erosion or a dilation with a line or square element, made
// a few at a time from rows of samples.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "processing/ExtremePair.h"
#include "processing/ExtremeRows.h"

namespace neighbourhood {

// Rows of one extreme, columns wide and aligned with the AOI, each from the
// rows y - half .. y + half of samples that start half columns left of the
// AOI; rows are made in order, up to Group(n) at once. The square takes the
// extremes down its columns first, over the AOI and half a square on either
// side, then along the row: no rows but the result are kept.
class ElementRows {
public:
    ElementRows(int n, int direction, int columns, bool max)
        : n_(n),
          half_(n / 2),
          direction_(Settled(direction)),
          columns_(columns),
          width_(direction_ == Omnidirectional ? columns + 2 * half_ : columns),
          max_(max),
          shifts_(static_cast<size_t>(n)),
          element_(static_cast<size_t>(n)),
          scratch_(2 * static_cast<size_t>(columns + n)),
          down_(direction_ == Omnidirectional ? static_cast<size_t>(Group(n)) * width_ : 0)
    {
        // The element's pixel k from the top lies in row y + k - half and
        // column x + shifts[k] - half.
        for (int k = 0; k < n; ++k)
            shifts_[static_cast<size_t>(k)] =
                direction_ == Diagonal ? 2 * half_ - k : direction_ == Omnidirectional ? 0 : half_;
    }

    // The most rows one Make gives for an n x n element.
    static int Group(int n) { return std::clamp(n, 1, kAlignedGroup); }

    // Rows y .. y + count - 1 into outs[0 .. count - 1].
    template <typename Source>
    void Make(const Source& source, int y, std::uint8_t* const* outs, int count)
    {
        if (direction_ == Horizontal) {
            for (int j = 0; j < count; ++j)
                ExtremeAlongRow(source(y + j), n_, columns_, outs[j], scratch_.data(), max_);
            return;
        }
        if (direction_ == Diagonal) {
            for (int j = 0; j < count; ++j) {
                Take(source, y + j - half_, n_);
                ExtremeOfRows(element_.data(), shifts_.data(), n_, width_, outs[j], max_);
            }
            return;
        }
        // The square's and the vertical line's rows line up: the rows that
        // several results share are read once.
        const bool square = direction_ == Omnidirectional;
        std::uint8_t* down[kAlignedGroup];
        for (int j = 0; j < count; ++j) down[j] = square ? down_.data() + static_cast<size_t>(j) * width_ : outs[j];
        Take(source, y - half_, n_ + count - 1);
        ExtremeOfAlignedRows(element_.data(), shifts_[0], n_, count, width_, down, max_);
        if (square)
            for (int j = 0; j < count; ++j) ExtremeAlongRow(down[j], n_, columns_, outs[j], scratch_.data(), max_);
    }

private:
    // Any direction but the three lines is the square.
    static int Settled(int direction)
    {
        return direction == Horizontal || direction == Vertical || direction == Diagonal ? direction : Omnidirectional;
    }

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
    std::vector<std::uint8_t> scratch_, down_;
};

}  // namespace neighbourhood
