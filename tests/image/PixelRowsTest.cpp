#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "image/PixelRows.h"

namespace {

// Sizes around the point where blocks are mapped from the system rather
// than taken from the heap, with widths that are no multiple of anything.
struct Size {
    int width;
    int height;
};
const Size kSizes[] = {{1, 1}, {7, 3}, {1397, 1001}, {1399, 1001}, {2048, 1366}, {4001, 2999}};

CColorVal Pattern(size_t i) { return CColorVal(int(i % 251), int(i % 241), int(i % 239)); }

bool AllZero(const PixelRows& rows)
{
    return std::all_of(rows.data(), rows.data() + rows.size(), [](CColorVal c) { return c == CColorVal(); });
}

}  // namespace

TEST(PixelRows, FreshRowsAreBlackAndCopiesAreDeep)
{
    for (const Size& s : kSizes) {
        SCOPED_TRACE(::testing::Message() << s.width << " x " << s.height);
        PixelRows rows;
        rows.Allocate(s.width, s.height);
        ASSERT_EQ(rows.size(), size_t(s.width) * size_t(s.height));
        EXPECT_TRUE(AllZero(rows));
        for (size_t i = 0; i < rows.size(); ++i) rows.data()[i] = Pattern(i);
        EXPECT_EQ(rows[s.height - 1][s.width - 1], Pattern(rows.size() - 1));
        EXPECT_EQ(rows[s.height / 2][1 % s.width], Pattern(size_t(s.height / 2) * s.width + 1 % s.width));

        PixelRows copy = rows;
        ASSERT_EQ(copy.size(), rows.size());
        EXPECT_NE(copy.data(), rows.data());
        EXPECT_TRUE(std::equal(copy.data(), copy.data() + copy.size(), rows.data()));
        copy[0][0] = CColorVal(1, 2, 3);
        EXPECT_EQ(rows[0][0], Pattern(0));

        // Storage taken again after a release reads as zero once more.
        rows.Release();
        EXPECT_TRUE(rows.empty());
        EXPECT_EQ(rows.size(), 0u);
        rows.Allocate(s.width, s.height);
        EXPECT_TRUE(AllZero(rows));

        PixelRows moved = std::move(copy);
        EXPECT_TRUE(copy.empty());
        EXPECT_EQ(moved[0][0], CColorVal(1, 2, 3));
        copy = moved;
        EXPECT_NE(copy.data(), moved.data());
        EXPECT_TRUE(std::equal(copy.data(), copy.data() + copy.size(), moved.data()));
    }
}

TEST(PixelRows, EmptyRowsCopyAsEmpty)
{
    PixelRows rows;
    rows.Allocate(0, 5);
    EXPECT_TRUE(rows.empty());
    const PixelRows copy = rows;
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(copy.data(), nullptr);
}

TEST(FrequencyBuffer, FreshValuesAreZeroAndAllocationKeepsPresentValues)
{
    for (const Size& s : kSizes) {
        SCOPED_TRACE(::testing::Message() << s.width << " x " << s.height);
        FrequencyBuffer buffer;
        EXPECT_FALSE(buffer.present());
        ASSERT_TRUE(buffer.Allocate(s.width, s.height));
        for (int y = 0; y < s.height; ++y)
            EXPECT_TRUE(std::all_of(buffer[y], buffer[y] + s.width,
                                    [](const FrequencyBuffer::Value& v) { return v == FrequencyBuffer::Value(); }));
        buffer[s.height - 1][s.width - 1] = {1.5, -2.5};
        EXPECT_TRUE(buffer.Allocate(s.width, s.height));
        EXPECT_EQ(buffer[s.height - 1][s.width - 1], FrequencyBuffer::Value(1.5, -2.5));
        buffer.Release();
        EXPECT_FALSE(buffer.present());
    }
}
