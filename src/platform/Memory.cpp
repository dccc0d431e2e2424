// Available memory from /proc/meminfo and the memory control group;
// physical memory from the system.
#include "platform/Memory.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();
std::uint64_t limit = 0;

// The first number in the file, or kUnknown ("max" and missing files too).
std::uint64_t NumberIn(const char* path)
{
    std::ifstream in(path);
    std::uint64_t value = 0;
    return in >> value ? value : kUnknown;
}

std::uint64_t MemAvailable()
{
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (in >> key >> kilobytes >> unit)
        if (key == "MemAvailable:") return kilobytes * 1024;
    return kUnknown;
}

// What a limit leaves of it, version 2 or version 1 of the control groups.
std::uint64_t GroupRoom(const char* limitPath, const char* usagePath)
{
    const std::uint64_t groupLimit = NumberIn(limitPath);
    const std::uint64_t usage = NumberIn(usagePath);
    if (groupLimit == kUnknown || usage == kUnknown) return kUnknown;
    return groupLimit > usage ? groupLimit - usage : 0;
}

}  // namespace

std::uint64_t AvailableMemory()
{
    std::uint64_t room = std::min({MemAvailable(), GroupRoom("/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory.current"),
                                   GroupRoom("/sys/fs/cgroup/memory/memory.limit_in_bytes",
                                             "/sys/fs/cgroup/memory/memory.usage_in_bytes")});
    return limit != 0 ? std::min(room, limit) : room;
}

void LimitAvailableMemory(std::uint64_t bytes) { limit = bytes; }

std::uint64_t PhysicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace platform
