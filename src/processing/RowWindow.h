// The rows a band of a neighbourhood operation reads, taken from the image
// while the band writes its own rows in place: copies of the rows that
// neighbouring bands write, and a rolling window of values per row.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "image/Image.h"
#include "image/SampleRows.h"
#include "platform/ParallelRows.h"

namespace neighbourhood {

// The pixels of columns left .. left + span - 1 of rows first - half ..
// last + half - 1 for the band of AOI rows [first, last), where left lies
// across columns left of the AOI (half, unless rows reach further than
// columns); rows outside the image read as 0. On colour rows
// (P = CColorVal) or a grey plane (P = std::uint8_t) of width stride, which
// the band writes in place through out(y), row after row. Rows outside the
// band are copied when this is made, before any band writes; the band's own
// rows are read from the image itself. Colour rows are written at once, so
// a band must read its rows before it writes them. A grey plane's results
// wait in a ring until no row after them reads the row they replace, so its
// rows are always as they were and can be read where they are (direct).
// A band makes up to group rows at once, asking for all their outputs
// before it reads their rows.
template <typename P>
class BandRowsOf {
public:
    using Pixel = P;
    static constexpr bool kDirect = std::is_same_v<P, std::uint8_t>;

    BandRowsOf(P* pixels, size_t stride, const CImage& image, int first, int last, int half, int across,
               int group = 2)
        : pixels_(pixels),
          stride_(stride),
          first_(first),
          last_(last),
          half_(half),
          across_(across),
          group_(std::max(group, 2)),
          left_(image.aoiLeft - across),
          span_(image.aoiRight - image.aoiLeft + 1 + 2 * across),
          above_(static_cast<size_t>(span_) * half),
          below_(static_cast<size_t>(span_) * half),
          flushed_(first),
          next_(first)
    {
        for (int k = 0; k < half; ++k) {
            const int up = first - half + k, down = last + k;
            if (up >= 0) std::copy(at(up), at(up) + span_, above_.data() + static_cast<size_t>(k) * span_);
            if (down < image.height)
                std::copy(at(down), at(down) + span_, below_.data() + static_cast<size_t>(k) * span_);
        }
        if constexpr (kDirect) ring_.resize(static_cast<size_t>(Columns()) * (half + group_));
    }
    BandRowsOf(const BandRowsOf&) = delete;
    BandRowsOf& operator=(const BandRowsOf&) = delete;

    // Row y as it was before the operation, from column left.
    const P* row(int y) const
    {
        if (y < first_) return above_.data() + static_cast<size_t>(y - first_ + half_) * span_;
        if (y >= last_) return below_.data() + static_cast<size_t>(y - last_) * span_;
        return at(y);
    }
    // Where the AOI pixels of the band's row y go; rows come in order.
    P* out(int y) const
    {
        if constexpr (!kDirect) return pixels_ + static_cast<size_t>(y) * stride_ + left_ + across_;
        // Once row y is done, rows from y - half - 1 on may still be read (a
        // sliding sum leaves row y - half after it has stored row y, a band
        // making group rows at once asks for row y + group - 1 before it
        // reads row y - half).
        Flush(y - half_ - (group_ - 1));
        next_ = y + 1;
        return Slot(y);
    }
    // Writes the results still waiting; the band calls it when done.
    void Flush() const { Flush(last_); }
    bool direct() const { return kDirect; }
    int first() const { return first_; }
    int last() const { return last_; }
    int half() const { return half_; }
    int group() const { return group_; }
    int span() const { return span_; }

private:
    const P* at(int y) const { return pixels_ + static_cast<size_t>(y) * stride_ + left_; }
    int Columns() const { return span_ - 2 * across_; }
    P* Slot(int y) const { return ring_.data() + static_cast<size_t>((y - first_) % (half_ + group_)) * Columns(); }
    // Writes the waiting results of the rows before end.
    void Flush(int end) const
    {
        if constexpr (kDirect)
            for (; flushed_ < std::min(end, next_); ++flushed_)
                std::copy(Slot(flushed_), Slot(flushed_) + Columns(),
                          pixels_ + static_cast<size_t>(flushed_) * stride_ + left_ + across_);
    }

    P* pixels_;
    size_t stride_;
    int first_, last_, half_, across_, group_, left_, span_;
    std::vector<P> above_, below_;
    mutable std::vector<P> ring_;
    mutable int flushed_;  // the first row whose result waits
    mutable int next_;     // the row after the last one given out
};

using BandRows = BandRowsOf<CColorVal>;

// Where a band puts the samples of its row y: on a grey plane the row's own
// place, else scratch, which StoreSamples then writes as grey pixels.
template <typename Rows>
std::uint8_t* SamplesOf(const Rows& rows, int y, std::uint8_t* scratch)
{
    if constexpr (Rows::kDirect)
        return rows.out(y);
    else
        return scratch;
}
template <typename Rows>
void StoreSamples(const Rows& rows, int y, const std::uint8_t* samples, int columns)
{
    if constexpr (!Rows::kDirect) StoreGrey(samples, columns, rows.out(y));
}

// The takes of a RowWindow for either kind of row.
inline constexpr auto takeReds = [](const auto* in, int count, std::uint8_t* out) { TakeReds(in, count, out); };
inline constexpr auto takeLuminance = [](const auto* in, int count, std::uint8_t* out) {
    TakeLuminance(in, count, out);
};

// Whether take copies the bytes of Rows as they are.
template <typename Take, typename Rows>
constexpr bool PlainTake()
{
    if constexpr (requires { typename Rows::Pixel; })
        return std::is_same_v<typename Rows::Pixel, std::uint8_t> &&
               (std::is_same_v<Take, std::decay_t<decltype(takeReds)>> ||
                std::is_same_v<Take, std::decay_t<decltype(takeLuminance)>>);
    return false;
}

// length byte samples per row, take(pixels, span, values) making them
// from a row's pixels. A row is taken when first asked for, so the band must
// ask for every row it reads before it writes over it: rows are taken in
// order, and up to 2 x half + group of them are kept, which serves every
// operation that reads rows y - half .. y + group - 1 + half around its row y.
template <typename Take, typename Rows = BandRows>
class RowWindow {
public:
    RowWindow(const Rows& rows, size_t length, Take take)
        : rows_(rows),
          length_(length),
          kept_(2 * rows.half() + rows.group()),
          take_(std::move(take)),
          next_(rows.first() - rows.half()),
          values_(std::make_unique_for_overwrite<std::uint8_t[]>(length * static_cast<size_t>(kept_)))
    {
    }

    // The values of row y, which must not lie before the rows kept.
    const std::uint8_t* at(int y)
    {
        // A grey plane's samples are its bytes.
        if constexpr (PlainTake<Take, Rows>())
            if (rows_.direct()) return rows_.row(y);
        for (; next_ <= y; ++next_) take_(rows_.row(next_), rows_.span(), slot(next_));
        return slot(y);
    }

private:
    std::uint8_t* slot(int y) { return values_.get() + static_cast<size_t>((y - rows_.first() + kept_) % kept_) * length_; }

    const Rows& rows_;
    size_t length_;
    int kept_;
    Take take_;
    int next_;  // the first row not taken yet
    std::unique_ptr<std::uint8_t[]> values_;
};

// The rows of a band from row first on, for a band that has already written
// its rows before first: those it had taken as grey samples are given back
// as the grey pixels they were. Rows like BandRows for a RowWindow.
class RowsFrom {
public:
    // grey(y) gives the samples of the band's rows first - half .. first - 1
    // that lie in the band; every such row was grey.
    template <typename Grey>
    RowsFrom(const BandRows& rows, int first, Grey grey)
        : rows_(rows),
          first_(first),
          given_(std::max(first - rows.half(), rows.first())),
          back_(static_cast<size_t>(rows.span()) * static_cast<size_t>(first - given_))
    {
        for (int y = given_; y < first; ++y) {
            const std::uint8_t* samples = grey(y);
            CColorVal* out = back_.data() + static_cast<size_t>(y - given_) * rows.span();
            for (int i = 0; i < rows.span(); ++i) out[i] = CColorVal(samples[i], samples[i], samples[i]);
        }
    }
    RowsFrom(const RowsFrom&) = delete;
    RowsFrom& operator=(const RowsFrom&) = delete;

    const CColorVal* row(int y) const
    {
        if (y >= given_ && y < first_) return back_.data() + static_cast<size_t>(y - given_) * rows_.span();
        return rows_.row(y);
    }
    int first() const { return first_; }
    int half() const { return rows_.half(); }
    int group() const { return rows_.group(); }
    int span() const { return rows_.span(); }

private:
    const BandRows& rows_;
    int first_, given_;
    std::vector<CColorVal> back_;
};

// Runs work(rows) on bands of the AOI's rows, each with its band rows for
// a neighbourhood reaching half rows up and down and across columns left
// and right (half when not given), making up to group rows at once. The
// bands work on the image's grey plane when it holds one, or when it is a grayscale image
// whose pixels are all grey (which is where one byte a pixel pays);
// otherwise on its colour rows. work takes either kind of band rows.
template <typename Work>
void OverBandRows(CImage& image, int half, Work work, int across = -1, int group = 2)
{
    if (across < 0) across = half;
    const long long span = image.aoiRight - image.aoiLeft + 1 + 2 * across;
    const size_t width = static_cast<size_t>(image.width);
    auto over = [&](auto* pixels) {
        using Rows = BandRowsOf<std::remove_pointer_t<decltype(pixels)>>;
        parallel::ForPreparedBands(image.aoiTop, image.aoiBottom + 1, span * (2 * half + 1),
                                   [&](int first, int last) -> parallel::BandWork {
                                       auto rows = std::make_shared<Rows>(pixels, width, image, first, last, half,
                                                                          across, group);
                                       return [rows, &work] {
                                           work(*rows);
                                           rows->Flush();
                                       };
                                   });
    };
    GreyRows* grey = image.pixelValueArray.HoldsGrey() || image.format == FORMAT_GRAYSCALE
                         ? image.pixelValueArray.WritableGrey()
                         : nullptr;
    if (grey)
        over(grey->data());
    else
        over(image.pixelValueArray.data());
}

}  // namespace neighbourhood
