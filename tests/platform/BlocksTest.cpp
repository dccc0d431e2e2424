// Large blocks given back and asked for again: an unfilled one may be the
// same memory, a zeroed one is zero whatever was given back before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/Blocks.h"

TEST(Blocks, LargeBlocksGivenBackAreZeroWhenAskedForZeroed)
{
    const std::size_t bytes = platform::kMappedBlockBytes + 12345;
    for (int round = 0; round < 3; ++round) {
        auto unfilled = platform::MakeUnfilledBlock<std::uint8_t>(bytes);
        std::memset(unfilled.get(), 0xA5, bytes);
        unfilled.reset();
        auto again = platform::MakeUnfilledBlock<std::uint8_t>(bytes);
        std::memset(again.get(), 0x5A, bytes);
        again.reset();
        const auto zeroed = platform::MakeZeroedBlock<std::uint8_t>(bytes);
        ASSERT_TRUE(std::all_of(zeroed.get(), zeroed.get() + bytes, [](std::uint8_t b) { return b == 0; })) << round;
    }
}
