#include "image/PngRowBatches.h"

#include <algorithm>
#include <system_error>

#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "image/PngFilters.h"
#include "platform/ParallelRows.h"

PngRowBatches::PngRowBatches(const CImage& image)
    : image_(image),
      rowBytes_(static_cast<std::size_t>(image.width) * WrittenSamples(image)),
      bpp_(WrittenSamples(image)),
      beside_(parallel::ThreadCount() > 1)
{
    // Batches of 1 MB filtered beside the deflating (fewer threads start),
    // of 256 KB in the nearer caches otherwise.
    const std::size_t target = beside_ ? std::size_t{1} << 20 : std::size_t{1} << 18;
    rowsPerBatch_ = static_cast<int>(std::clamp<std::size_t>(target / (rowBytes_ + 1), 1, std::max(image.height, 1)));
    batches_ = (image.height + rowsPerBatch_ - 1) / rowsPerBatch_;
    for (auto& out : out_) out.resize(static_cast<std::size_t>(rowsPerBatch_) * (rowBytes_ + 1));
}

PngRowBatches::~PngRowBatches()
{
    if (making_.valid()) making_.wait();
}

int PngRowBatches::RowsOf(int batch) const { return std::min(rowsPerBatch_, image_.height - batch * rowsPerBatch_); }

void PngRowBatches::Make(int batch, int first, int last, std::uint8_t* out) const
{
    // Each row is taken once: it is the row above for the next one. A row
    // made in a buffer stays there while the next is made in the other.
    std::vector<std::uint8_t> buffers(2 * rowBytes_);
    std::uint8_t* const buffer[2] = {buffers.data(), buffers.data() + rowBytes_};
    const int top = batch * rowsPerBatch_ + first;
    const std::uint8_t* above = top > 0 ? WrittenRow(image_, top - 1, buffer[1]) : buffer[1];  // zeros above the first
    for (int r = first; r < last; ++r) {
        const std::uint8_t* row = WrittenRow(image_, top + (r - first), buffer[(r - first) % 2]);
        FilterPngRow(row, above, rowBytes_, bpp_, out + static_cast<std::size_t>(r) * (rowBytes_ + 1));
        above = row;
    }
}

void PngRowBatches::MakeWhole(int batch, std::uint8_t* out) const
{
    Make(batch, 0, RowsOf(batch), out);
}

const std::uint8_t* PngRowBatches::Next(std::size_t& bytes)
{
    bytes = 0;
    if (next_ >= batches_) return nullptr;
    const int batch = next_++;
    std::uint8_t* const out = out_[batch % 2].data();
    if (!beside_) {
        // Rows filter independently: bands over the cores.
        parallel::ForBands(0, RowsOf(batch), static_cast<long long>(rowBytes_),
                           [&](int first, int last) { Make(batch, first, last, out); });
    } else {
        if (making_.valid())
            making_.get();
        else
            MakeWhole(batch, out);
        if (batch + 1 < batches_) {
            try {
                making_ = std::async(std::launch::async, &PngRowBatches::MakeWhole, this, batch + 1,
                                     out_[(batch + 1) % 2].data());
            } catch (const std::system_error&) {
                beside_ = false;  // no thread to be had: the rest here
            }
        }
    }
    bytes = static_cast<std::size_t>(RowsOf(batch)) * (rowBytes_ + 1);
    return out;
}
