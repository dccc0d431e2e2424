// Zero-filled memory blocks for pixels and frequency values: large blocks
// come straight from the system, whose fresh pages are zero already.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>

namespace platform {

// Blocks of at least this many bytes are mapped from the system, on huge
// pages where it offers them; smaller ones come from the heap, which keeps
// blocks up to this size for reuse once they are freed, so that an operation
// repeated on an image of the same size finds its memory without faulting
// in fresh pages.
constexpr std::size_t kMappedBlockBytes = std::size_t(32) << 20;

// Zero bytes; throws std::bad_alloc when the memory is not there.
void* AllocateZeroed(std::size_t bytes);
// Bytes whose values are left to the caller, which fills every one; large
// blocks are zero all the same. Throws std::bad_alloc.
void* AllocateUnfilled(std::size_t bytes);
// Returns a block of AllocateZeroed or AllocateUnfilled; bytes is the size it was taken with.
void FreeZeroed(void* block, std::size_t bytes) noexcept;

// Owns a block and remembers its size for the release.
struct BlockRelease {
    std::size_t bytes = 0;
    void operator()(void* block) const noexcept { FreeZeroed(block, bytes); }
};

template <typename T>
using Block = std::unique_ptr<T[], BlockRelease>;

// count values of T in a block from allocate.
template <typename T>
Block<T> MakeBlock(std::size_t count, void* (*allocate)(std::size_t))
{
    static_assert(std::is_trivially_copyable_v<T>);
    if (count > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
    const std::size_t bytes = count * sizeof(T);
    return Block<T>(static_cast<T*>(allocate(bytes)), BlockRelease{bytes});
}

// count values of T whose bytes are all zero (T must be fine with that).
template <typename T>
Block<T> MakeZeroedBlock(std::size_t count)
{
    return MakeBlock<T>(count, AllocateZeroed);
}

// count values of T, every one to be written before it is read.
template <typename T>
Block<T> MakeUnfilledBlock(std::size_t count)
{
    return MakeBlock<T>(count, AllocateUnfilled);
}

}  // namespace platform
