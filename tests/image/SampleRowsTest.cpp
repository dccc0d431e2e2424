// The row conversions against their plain per-pixel meaning, for every
// length around the 32-pixel blocks and colour in any one place.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "image/ColorVal.h"
#include "image/SampleRows.h"

TEST(SampleRows, TakeAndStoreGiveThePlainBytes)
{
    std::mt19937 random(5);
    for (int count = 0; count <= 130; ++count) {
        // One pixel more than count, which must never be read or written.
        std::vector<CColorVal> pixels(static_cast<size_t>(count) + 1);
        for (CColorVal& p : pixels) {
            const int v = static_cast<int>(random() % 256);
            p = CColorVal(v, static_cast<int>(random() % 256), static_cast<int>(random() % 256));
        }
        std::vector<std::uint8_t> values(static_cast<size_t>(count) + 1, 77);
        TakeReds(pixels.data(), count, values.data());
        for (int i = 0; i < count; ++i) ASSERT_EQ(values[static_cast<size_t>(i)], pixels[static_cast<size_t>(i)].red);
        EXPECT_EQ(values.back(), 77) << count;

        const CColorVal guard = pixels.back();
        StoreGrey(values.data(), count, pixels.data());
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(pixels[static_cast<size_t>(i)], CColorVal(values[static_cast<size_t>(i)], values[static_cast<size_t>(i)], values[static_cast<size_t>(i)]))
                << "pixel " << i << " of " << count;
        EXPECT_EQ(pixels.back(), guard) << count;
    }
}

TEST(SampleRows, AnyColouredPixelMakesARowColour)
{
    // Every position and each channel off by one, and a colour pixel just
    // past the row, which does not count.
    for (const int count : {1, 31, 32, 33, 64, 97}) {
        std::vector<CColorVal> pixels(static_cast<size_t>(count), CColorVal(90, 90, 90));
        pixels.push_back(CColorVal(1, 2, 3));
        std::vector<std::uint8_t> values(static_cast<size_t>(count));
        EXPECT_TRUE(AllGrey(pixels.data(), count)) << count;
        EXPECT_TRUE(TakeRed(pixels.data(), count, values.data())) << count;
        for (int i = 0; i < count; ++i)
            for (int channel = 0; channel < 3; ++channel) {
                CColorVal& p = pixels[static_cast<size_t>(i)];
                std::uint8_t& c = channel == 0 ? p.red : channel == 1 ? p.green : p.blue;
                c = 91;
                ASSERT_FALSE(AllGrey(pixels.data(), count)) << "pixel " << i << " channel " << channel;
                ASSERT_FALSE(TakeRed(pixels.data(), count, values.data())) << "pixel " << i;
                c = 90;
            }
    }
}

TEST(SampleRows, LuminanceOfAColourRowIsWeighted)
{
    std::vector<CColorVal> pixels(40, CColorVal(10, 10, 10));
    pixels[33] = CColorVal(255, 0, 0);
    std::vector<std::uint8_t> values(40);
    TakeLuminance(pixels.data(), 40, values.data());
    EXPECT_EQ(values[0], 10);
    EXPECT_EQ(values[33], 76);  // 0.299 x 255 = 76.2
}
