// The pages provided through madvise where Linux has MADV_POPULATE_WRITE.
#include "processing/ProvidePages.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace sampling {

void ProvidePages(std::uint8_t* begin, std::uint8_t* end) noexcept
{
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older systems refuse it, and the pages fault in as before
#endif
    static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (end <= begin || page == 0 || (page & (page - 1)) != 0) return;
    // Whole pages: the one shared with a neighbouring row is provided, never
    // changed, so other threads may be writing it meanwhile.
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(begin) & ~(page - 1);
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(end);
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin, (void)end;
#endif
}

}  // namespace sampling
