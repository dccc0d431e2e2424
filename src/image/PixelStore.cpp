// The forms of an image's pixels and the moves between them.
#include "image/PixelStore.h"

#include <cstring>
#include <mutex>
#include <new>
#include <utility>

#include "image/SampleRows.h"
#include "platform/ParallelRows.h"

namespace {

// Changes of form happen under this lock: bands of one operation may ask for
// rows at the same moment, and only the first may make them.
std::mutex& FormLock()
{
    static std::mutex lock;
    return lock;
}

}  // namespace

PixelStore::PixelStore(const PixelStore& other) : count_(other.count_), width_(other.width_)
{
    if (other.HoldsGrey()) {
        grey_ = other.grey_;
        state_.store(kGrey, std::memory_order_relaxed);
    } else {
        rows_ = other.rows_;
    }
}

PixelStore::PixelStore(PixelStore&& other) noexcept
    : rows_(std::move(other.rows_)),
      grey_(std::move(other.grey_)),
      state_(other.state_.exchange(kColour)),
      count_(std::exchange(other.count_, 0)),
      width_(std::exchange(other.width_, 0))
{
}

PixelStore& PixelStore::operator=(PixelStore other) noexcept
{
    std::swap(rows_, other.rows_);
    std::swap(grey_, other.grey_);
    state_.store(other.state_.load(std::memory_order_relaxed), std::memory_order_release);
    count_ = other.count_;
    width_ = other.width_;
    return *this;
}

PixelStore& PixelStore::operator=(PixelRows&& rows) noexcept
{
    count_ = rows.size();
    width_ = static_cast<int>(rows.width());
    rows_ = std::move(rows);
    grey_.Release();
    state_.store(kColour, std::memory_order_release);
    return *this;
}

PixelStore& PixelStore::operator=(GreyRows&& plane) noexcept
{
    count_ = plane.size();
    width_ = static_cast<int>(plane.width());
    grey_ = std::move(plane);
    rows_.Release();
    state_.store(count_ == 0 ? kColour : kGrey, std::memory_order_release);
    return *this;
}

void PixelStore::Allocate(int width, int height)
{
    PixelRows rows;
    rows.Allocate(width, height);
    *this = std::move(rows);
}

void PixelStore::MakeColour() const
{
    const std::lock_guard<std::mutex> hold(FormLock());
    if (state_.load(std::memory_order_relaxed) != kGrey) return;
    PixelRows rows;
    rows.AllocateUnfilled(width_, static_cast<int>(count_ / width_));
    parallel::ForBands(0, static_cast<int>(count_ / width_), width_, [&](int first, int last) {
        for (int y = first; y < last; ++y) StoreGrey(grey_[y], width_, rows[y]);
    });
    rows_ = std::move(rows);
    state_.store(kBoth, std::memory_order_release);
}

void PixelStore::DropGrey()
{
    if (state_.load(std::memory_order_acquire) == kGrey) MakeColour();
    const std::lock_guard<std::mutex> hold(FormLock());
    if (state_.load(std::memory_order_relaxed) == kColour) return;
    grey_.Release();
    state_.store(kColour, std::memory_order_release);
}

bool PixelStore::MakeGrey() const
{
    if (state_.load(std::memory_order_acquire) != kColour) return true;
    const std::lock_guard<std::mutex> hold(FormLock());
    if (state_.load(std::memory_order_relaxed) != kColour) return true;
    if (count_ == 0) return false;
    const int height = static_cast<int>(count_ / width_);
    GreyRows plane;
    plane.AllocateUnfilled(width_, height);
    std::atomic<bool> colour{false};
    parallel::ForBands(0, height, width_, [&](int first, int last) {
        for (int y = first; y < last && !colour.load(std::memory_order_relaxed); ++y)
            if (!TakeRed(rows_[y], width_, plane[y])) colour = true;
    });
    if (colour) return false;
    grey_ = std::move(plane);
    state_.store(kBoth, std::memory_order_release);
    return true;
}

void PixelStore::KeepGreyOnly() noexcept
{
    try {
        WritableGrey();
    } catch (const std::bad_alloc&) {
    }
}

const GreyRows* PixelStore::Grey() const { return MakeGrey() ? &grey_ : nullptr; }

GreyRows* PixelStore::WritableGrey()
{
    if (!MakeGrey()) return nullptr;
    if (state_.load(std::memory_order_acquire) == kBoth) {
        rows_.Release();
        state_.store(kGrey, std::memory_order_release);
    }
    return &grey_;
}
