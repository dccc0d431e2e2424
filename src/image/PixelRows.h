// Contiguous storage for an image's pixels and its frequency buffer, indexed
// by row: rows[y][x].
#pragma once

#include <complex>
#include <cstddef>
#include <vector>

#include "image/ColorVal.h"

// Pixels of width x height, row 0 at the top; one block, not one per row.
class PixelRows {
public:
    // Zero-filled rows; throws std::bad_alloc when the memory is not there.
    void Allocate(int width, int height)
    {
        std::vector<CColorVal> fresh(static_cast<size_t>(width) * static_cast<size_t>(height));
        data_.swap(fresh);
        width_ = width;
    }
    void Release()
    {
        std::vector<CColorVal>().swap(data_);
        width_ = 0;
    }
    bool empty() const { return data_.empty(); }
    CColorVal* operator[](int y) { return data_.data() + static_cast<size_t>(y) * width_; }
    const CColorVal* operator[](int y) const { return data_.data() + static_cast<size_t>(y) * width_; }
    CColorVal* data() { return data_.data(); }
    const CColorVal* data() const { return data_.data(); }
    size_t size() const { return data_.size(); }

private:
    std::vector<CColorVal> data_;
    size_t width_ = 0;
};

// The complex working buffer of the FFT. It exists only once a transform
// needs it; until then every value reads as zero.
class FrequencyBuffer {
public:
    using Value = std::complex<double>;

    bool present() const { return !data_.empty(); }
    // Allocates zero-filled values for the image's size when absent; false
    // when the memory is not there.
    bool Allocate(int width, int height) noexcept
    {
        if (present()) return true;
        try {
            data_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), Value());
        } catch (...) {
            return false;
        }
        width_ = width;
        return true;
    }
    void Release()
    {
        std::vector<Value>().swap(data_);
        width_ = 0;
    }
    // Only valid while present().
    Value* operator[](int y) { return data_.data() + static_cast<size_t>(y) * width_; }
    const Value* operator[](int y) const { return data_.data() + static_cast<size_t>(y) * width_; }
    Value* data() { return data_.data(); }
    const Value* data() const { return data_.data(); }
    size_t size() const { return data_.size(); }

private:
    std::vector<Value> data_;
    size_t width_ = 0;
};
