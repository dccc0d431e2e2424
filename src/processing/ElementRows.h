// The rows of an erosion or a dilation with a line or square element, made
// a few at a time from rows of samples.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "processing/ExtremePair.h"
#include "processing/ExtremeRows.h"
#include "processing/RowWindow.h"

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
          element_(static_cast<size_t>(n)),
          scratch_(2 * static_cast<size_t>(columns + n)),
          down_(direction_ == Omnidirectional ? static_cast<size_t>(Group(n)) * width_ : 0),
          results_(static_cast<size_t>(Group(n)) * columns)
    {
    }

    // The most rows one Make gives for an n x n element.
    static int Group(int n) { return std::clamp(n, 1, kAlignedGroup); }

    // Rows y .. y + count - 1 of a band's AOI, count at most Group(n), made
    // from source and stored as the band's grey pixels.
    template <typename Rows, typename Source>
    void MakeInto(const Rows& rows, const Source& source, int y, int count)
    {
        std::uint8_t* outs[kAlignedGroup];
        for (int j = 0; j < count; ++j)
            outs[j] = SamplesOf(rows, y + j, results_.data() + static_cast<size_t>(j) * columns_);
        Make(source, y, outs, count);
        for (int j = 0; j < count; ++j) StoreSamples(rows, y + j, outs[j], columns_);
    }

    // Rows y .. y + count - 1 into outs[0 .. count - 1].
    template <typename Source>
    void Make(const Source& source, int y, std::uint8_t* const* outs, int count)
    {
        if (direction_ == Horizontal) {
            for (int j = 0; j < count; ++j)
                ExtremeAlongRow(source(y + j), n_, columns_, outs[j], scratch_.data(), max_);
            return;
        }
        // The rows of the square and the lines down and across line up, the
        // diagonal's once each row is moved one column further left than
        // the one above: the rows that several results share are read once.
        const bool square = direction_ == Omnidirectional;
        const int skew = direction_ == Diagonal ? 1 : 0, lead = skew * (count - 1);
        Take(source, y - half_, n_ + count - 1);
        std::uint8_t* down[kAlignedGroup];
        std::uint8_t* at[kAlignedGroup];
        for (int j = 0; j < count; ++j) {
            down[j] = square ? down_.data() + static_cast<size_t>(j) * width_ : outs[j];
            at[j] = down[j] + lead - skew * j;
        }
        moved_.resize(element_.size());
        for (size_t m = 0; m < element_.size(); ++m) moved_[m] = element_[m] + Shift(static_cast<int>(m)) + lead;
        if (width_ > lead) ExtremeOfAlignedRows(moved_.data(), n_, count, width_ - lead, at, max_);
        // The diagonal's first and last few columns of each row lie outside
        // the columns made together.
        for (int j = 0; j < count && lead > 0; ++j) {
            const int from = width_ > lead ? lead - j : width_, to = width_ > lead ? width_ - j : width_;
            for (int i = 0; i < from; ++i) down[j][i] = Plain(j, i);
            for (int i = to; i < width_; ++i) down[j][i] = Plain(j, i);
        }
        if (square)
            for (int j = 0; j < count; ++j) ExtremeAlongRow(down[j], n_, columns_, outs[j], scratch_.data(), max_);
    }

private:
    // Any direction but the three lines is the square.
    static int Settled(int direction)
    {
        return direction == Horizontal || direction == Vertical || direction == Diagonal ? direction : Omnidirectional;
    }

    // Where the element's row k starts in the samples, for k from 0 to n - 1
    // and beyond, for the rows below.
    int Shift(int k) const
    {
        return direction_ == Diagonal ? 2 * half_ - k : direction_ == Omnidirectional ? 0 : half_;
    }

    // Value i of the group's result j, one sample at a time.
    std::uint8_t Plain(int j, int i) const
    {
        std::uint8_t v = element_[static_cast<size_t>(j)][i + Shift(0)];
        for (int k = 1; k < n_; ++k) {
            const std::uint8_t w = element_[static_cast<size_t>(j + k)][i + Shift(k)];
            v = max_ ? std::max(v, w) : std::min(v, w);
        }
        return v;
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
    std::vector<const std::uint8_t*> element_, moved_;
    std::vector<std::uint8_t> scratch_, down_, results_;
};

}  // namespace neighbourhood
