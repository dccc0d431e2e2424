// Fresh memory about to be written: its pages asked for in one call.
#pragma once

#include <cstdint>

namespace sampling {

// Has the system provide the pages of [begin, end) for writing now, in one
// call, instead of one page fault at a time as the bytes are first written:
// a fresh block of output faults in several times slower than it is filled.
// Nothing is written; where the system has no such call, nothing happens.
void ProvidePages(std::uint8_t* begin, std::uint8_t* end) noexcept;

}  // namespace sampling
