// Zero-filled blocks: the heap for small ones, anonymous mappings for large
// ones. Sanitizer builds keep every block on the heap, where it is checked.
#include "platform/Blocks.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define NUVAK_HEAP_BLOCKS_ONLY 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define NUVAK_HEAP_BLOCKS_ONLY 1
#endif
#if defined(__unix__) && !defined(NUVAK_HEAP_BLOCKS_ONLY)
#define NUVAK_MAPPED_BLOCKS 1
#include <sys/mman.h>
#endif
#if defined(NUVAK_MAPPED_BLOCKS) && defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {

#ifdef NUVAK_MAPPED_BLOCKS
// Where the system makes huge pages on its own, they cut the page faults of
// first use by a factor of 512; the mapping is rounded to them so that every
// page can be one. Blocks do not ask for them (MADV_HUGEPAGE): where the
// system makes them only when asked, it may first compact memory, which
// stalled a first request here for 1.8 s.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t Mapped(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

// The last large block given back, kept for the next unfilled block of its
// length: an operation repeated on images of one size (a series, undo and
// redo) then finds its pages in place instead of faulting in fresh ones and
// giving the old ones back. One block at most is kept, and none while a
// zeroed block is mapped, so memory that is asked for is never held back.
struct Spare {
    std::mutex lock;
    void* block = nullptr;
    std::size_t length = 0;
};

Spare& TheSpare()
{
    static Spare spare;
    return spare;
}

#ifdef __GLIBC__
// The heap keeps every block below the mapped size, and up to twice that
// free at its top, from the start: left to itself it maps such blocks afresh
// (and faults in their pages) until it has freed one, and returns its top
// whenever other work frees memory there.
const bool heapSettled = [] {
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMappedBlockBytes));
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kMappedBlockBytes));
    return true;
}();
#endif

// Takes the kept block when it has the length, else leaves it.
void* TakeSpare(std::size_t length) noexcept
{
    Spare& spare = TheSpare();
    const std::lock_guard<std::mutex> hold(spare.lock);
    if (!spare.block || spare.length != length) return nullptr;
    return std::exchange(spare.block, nullptr);
}

// Keeps block in place of the kept one, which goes back to the system.
void KeepSpare(void* block, std::size_t length) noexcept
{
    Spare& spare = TheSpare();
    const std::lock_guard<std::mutex> hold(spare.lock);
    void* older = spare.block;
    const std::size_t olderLength = spare.length;
    spare.block = block;
    spare.length = length;
    if (older) ::munmap(older, olderLength);
}

void DropSpare() noexcept
{
    Spare& spare = TheSpare();
    const std::lock_guard<std::mutex> hold(spare.lock);
    if (spare.block) ::munmap(spare.block, spare.length);
    spare.block = nullptr;
}
#endif

}  // namespace

void* AllocateZeroed(std::size_t bytes)
{
    if (bytes == 0) return nullptr;
#ifdef NUVAK_MAPPED_BLOCKS
    if (bytes >= kMappedBlockBytes) {
        const std::size_t length = Mapped(bytes);
        if (length < bytes || length > std::size_t(-1) - kHugePage) throw std::bad_alloc();
        DropSpare();
        // One huge page more, so that the block can start on a huge page.
        void* area = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (area == MAP_FAILED) throw std::bad_alloc();
        auto* raw = static_cast<char*>(area);
        const auto start = (reinterpret_cast<std::uintptr_t>(raw) + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
        auto* block = reinterpret_cast<char*>(start);
        if (block > raw) ::munmap(raw, static_cast<std::size_t>(block - raw));
        const std::size_t tail = static_cast<std::size_t>(raw + length + kHugePage - (block + length));
        if (tail > 0) ::munmap(block + length, tail);
        return block;
    }
#endif
    void* block = std::calloc(bytes, 1);
    if (!block) throw std::bad_alloc();
    return block;
}

void* AllocateUnfilled(std::size_t bytes)
{
#ifdef NUVAK_MAPPED_BLOCKS
    if (bytes >= kMappedBlockBytes) {
        if (void* spare = TakeSpare(Mapped(bytes))) return spare;
        return AllocateZeroed(bytes);
    }
#endif
    if (bytes == 0) return nullptr;
    // The heap hands a block of this size back for reuse as it is, without
    // clearing it or faulting in fresh pages.
    void* block = std::malloc(bytes);
    if (!block) throw std::bad_alloc();
    return block;
}

void FreeZeroed(void* block, std::size_t bytes) noexcept
{
    if (!block) return;
#ifdef NUVAK_MAPPED_BLOCKS
    if (bytes >= kMappedBlockBytes) {
        KeepSpare(block, Mapped(bytes));
        return;
    }
#endif
    (void)bytes;
    std::free(block);
}

}  // namespace platform
