// How an image holds its pixels: as colour rows of three bytes a pixel, or,
// when every pixel is grey, as a plane of one byte a pixel, which is a third
// of the memory and of the traffic of every grey operation.
//
// This class alone decides which form is held:
// - a grey image that is settled (the readers, the conversion to grayscale)
//   holds the grey plane only;
// - an operation that asks for the writable grey plane gets it, made from
//   the colour rows when every pixel is grey, and the colour rows go;
// - reading the colour rows of a grey plane makes them and keeps both;
//   asking for writable colour rows drops the grey plane.
// Code that wants rows of CColorVal keeps using them as before and never
// sees the plane.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "image/PixelRows.h"

class PixelStore {
public:
    PixelStore() = default;
    // A copy holds the grey plane only when the source holds one, else the colour rows.
    PixelStore(const PixelStore& other);
    PixelStore(PixelStore&& other) noexcept;
    PixelStore& operator=(PixelStore other) noexcept;
    PixelStore& operator=(PixelRows&& rows) noexcept;
    PixelStore& operator=(GreyRows&& plane) noexcept;

    // width x height black colour pixels; throws std::bad_alloc.
    void Allocate(int width, int height);
    void Release() { *this = PixelStore(); }
    bool empty() const { return count_ == 0; }
    size_t size() const { return count_; }

    // The colour rows, made from the grey plane when they are not held
    // (std::bad_alloc when the memory is not there). Writable rows drop the
    // plane; the read-only ones keep it.
    CColorVal* operator[](int y) { return Writable()[y]; }
    const CColorVal* operator[](int y) const { return Readable()[y]; }
    CColorVal* data() { return Writable().data(); }
    const CColorVal* data() const { return Readable().data(); }
    operator const PixelRows&() const { return Readable(); }

    // True while the grey plane holds the pixels.
    bool HoldsGrey() const { return state_.load(std::memory_order_acquire) != kColour; }
    // The grey plane, made from the colour rows when every pixel is grey and
    // held from then on; null when a pixel is not grey. The writable plane
    // drops the colour rows. Call before any band of work starts.
    const GreyRows* Grey() const;
    GreyRows* WritableGrey();
    // Settles a grayscale image: the plane alone when every pixel is grey.
    // Short of memory for the plane, the colour rows stay.
    void KeepGreyOnly() noexcept;

private:
    enum State : std::uint8_t { kColour, kGrey, kBoth };

    PixelRows& Writable()
    {
        if (state_.load(std::memory_order_acquire) != kColour) DropGrey();
        return rows_;
    }
    const PixelRows& Readable() const
    {
        if (state_.load(std::memory_order_acquire) == kGrey) MakeColour();
        return rows_;
    }
    void MakeColour() const;
    void DropGrey();
    bool MakeGrey() const;

    mutable PixelRows rows_;
    mutable GreyRows grey_;
    mutable std::atomic<State> state_{kColour};
    size_t count_ = 0;
    int width_ = 0;
};
