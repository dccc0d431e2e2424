// The filtered rows of an image's PNG data, handed out a batch at a time
// for deflating.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <vector>

class CImage;

class PngRowBatches {
public:
    // Rows as WrittenRow gives them, 8-bit grey or RGB. Throws std::bad_alloc.
    explicit PngRowBatches(const CImage& image);
    ~PngRowBatches();
    PngRowBatches(const PngRowBatches&) = delete;
    PngRowBatches& operator=(const PngRowBatches&) = delete;

    // The next batch: each row's filter byte, then its filtered bytes; null
    // (and bytes 0) after the last. With a second core the batch after it is
    // filtered meanwhile, while the caller deflates this one.
    const std::uint8_t* Next(std::size_t& bytes);

private:
    // Filters rows first .. last - 1 of batch into its bytes at out.
    void Make(int batch, int first, int last, std::uint8_t* out) const;
    void MakeWhole(int batch, std::uint8_t* out) const;
    int RowsOf(int batch) const;

    const CImage& image_;
    std::size_t rowBytes_;
    int bpp_, rowsPerBatch_, batches_, next_ = 0;
    bool beside_;
    std::vector<std::uint8_t> out_[2];
    std::future<void> making_;
};
