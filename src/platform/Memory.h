// How much memory the process may still take, so that a request far beyond
// it is refused with a message instead of ending the process.
#pragma once

#include <cstdint>

namespace platform {

// The smaller of the system's available memory and what the process's
// memory control group still allows; UINT64_MAX when neither is known.
std::uint64_t AvailableMemory();

// Makes AvailableMemory report at most bytes, for tests that stand in for a
// smaller machine; 0 lifts the limit again.
void LimitAvailableMemory(std::uint64_t bytes);

// The machine's physical memory; 0 when the system does not say.
std::uint64_t PhysicalMemory();

}  // namespace platform
