// The level lookup against the plain table, for every length around its
// steps and every level.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "processing/LevelLookup.h"

TEST(LevelLookup, GivesThePlainTablesLevels)
{
    std::mt19937 random(11);
    std::array<std::uint8_t, 256> map;
    for (auto& level : map) level = static_cast<std::uint8_t>(random());
    const levels::LevelLookup lookup(map);
    for (int n = 0; n <= 300; ++n) {
        // One level more than n, which must stay as it is.
        std::vector<std::uint8_t> levels(static_cast<size_t>(n) + 1);
        for (size_t i = 0; i < levels.size(); ++i) levels[i] = static_cast<std::uint8_t>(i * 97 + n);
        std::vector<std::uint8_t> expected = levels;
        for (int i = 0; i < n; ++i) expected[static_cast<size_t>(i)] = map[levels[static_cast<size_t>(i)]];
        lookup.Map(levels.data(), n);
        ASSERT_EQ(levels, expected) << n;
    }
}
