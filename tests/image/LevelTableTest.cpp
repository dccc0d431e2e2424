// The 16-bit rule's levels against the integer form of RoundHalfAway, on the
// spans where a quotient lands nearest a half or a whole number.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/ImageFormat.h"

TEST(LevelTable, EveryLevelOfTheHardSpans)
{
    const struct {
        int lo, hi;
    } ranges[] = {{0, 1}, {7, 9}, {0, 3}, {100, 354}, {0, 255}, {0, 256}, {3, 512}, {0, 510}, {0, 511},
                  {1000, 30000}, {1, 65535}, {0, 65535}, {4660, 4660}, {9, 2}};
    for (const auto& r : ranges) {
        const LevelTable table(r.lo, r.hi);
        for (int v = 0; v < 65536; ++v) {
            const long long span = r.hi - r.lo;
            const long long d = std::clamp<long long>(v - r.lo, 0, span);
            const int expected = span > 0 ? int((d * 510 + span) / (2 * span)) : 0;
            ASSERT_EQ(table.level[size_t(v)], expected) << r.lo << ".." << r.hi << " level " << v;
        }
    }
}
