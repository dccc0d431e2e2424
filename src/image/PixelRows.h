// Contiguous storage for an image's pixels and its frequency buffer, indexed
// by row: rows[y][x].
#pragma once

#include <complex>
#include <cstddef>
#include <cstring>
#include <utility>

#include "image/ColorVal.h"
#include "platform/Blocks.h"

// width x height values of T in one block, row 0 first. Fresh blocks read
// as zero without being filled (see platform/Blocks.h).
template <typename T>
class RowBlock {
public:
    RowBlock() = default;
    RowBlock(const RowBlock& other) : RowBlock()
    {
        if (other.empty()) return;
        AllocateUnfilled(static_cast<int>(other.width_), static_cast<int>(other.size_ / other.width_));
        std::memcpy(data_.get(), other.data_.get(), size_ * sizeof(T));
    }
    RowBlock(RowBlock&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0)), width_(std::exchange(other.width_, 0))
    {
    }
    RowBlock& operator=(RowBlock other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(width_, other.width_);
        return *this;
    }

    // Zero-filled values; throws std::bad_alloc when the memory is not there.
    void Allocate(int width, int height) { Take(width, height, platform::MakeZeroedBlock<T>); }
    // The same, with values the caller writes before reading any.
    void AllocateUnfilled(int width, int height) { Take(width, height, platform::MakeUnfilledBlock<T>); }
    void Release() { *this = RowBlock(); }
    bool empty() const { return size_ == 0; }
    T* operator[](int y) { return data_.get() + static_cast<size_t>(y) * width_; }
    const T* operator[](int y) const { return data_.get() + static_cast<size_t>(y) * width_; }
    T* data() { return data_.get(); }
    const T* data() const { return data_.get(); }
    size_t size() const { return size_; }
    size_t width() const { return width_; }

private:
    template <typename Make>
    void Take(int width, int height, Make make)
    {
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        data_ = make(count);
        size_ = count;
        width_ = count == 0 ? 0 : static_cast<size_t>(width);
    }

    platform::Block<T> data_;
    size_t size_ = 0;
    size_t width_ = 0;
};

// Pixels of width x height, row 0 at the top; one block, not one per row.
using PixelRows = RowBlock<CColorVal>;
// One byte a pixel, for an image whose pixels are all grey.
using GreyRows = RowBlock<std::uint8_t>;

// The complex working buffer of the FFT. It exists only once a transform
// needs it; until then every value reads as zero. Rows of 64 values or more
// lie eight values further apart than their width: rows a power of two of
// bytes apart share the cache's sets, and the transform's column pass, which
// reads and writes down columns, would evict its own lines long before it
// has written them back.
class FrequencyBuffer {
public:
    using Value = std::complex<double>;

    // Values from the start of one row to the start of the next.
    static int StrideFor(int width) { return width >= 64 ? width + 8 : width; }

    bool present() const { return !values_.empty(); }
    // Allocates zero-filled values for the image's size when absent, or
    // values the caller writes before it reads any (unfilled); false when
    // the memory is not there.
    bool Allocate(int width, int height, bool unfilled = false) noexcept
    {
        if (present()) return true;
        try {
            if (unfilled)
                values_.AllocateUnfilled(StrideFor(width), height);
            else
                values_.Allocate(StrideFor(width), height);
        } catch (...) {
            return false;
        }
        width_ = values_.empty() ? 0 : width;
        height_ = values_.empty() ? 0 : height;
        return true;
    }
    void Release() { *this = FrequencyBuffer(); }
    // Only valid while present().
    Value* operator[](int y) { return values_[y]; }
    const Value* operator[](int y) const { return values_[y]; }
    // Row 0; row y starts stride() values further on for each y.
    Value* data() { return values_.data(); }
    const Value* data() const { return values_.data(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return static_cast<int>(values_.width()); }

private:
    RowBlock<Value> values_;
    int width_ = 0;
    int height_ = 0;
};
