#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "image/RgbBytes.h"

namespace {

// The plain rule, pixel by pixel.
bool PlainSwap(const std::vector<std::uint8_t>& in, int width, std::vector<std::uint8_t>& out)
{
    bool colour = false;
    for (int x = 0; x < width; ++x) {
        out[3 * x] = in[3 * x + 2];
        out[3 * x + 1] = in[3 * x + 1];
        out[3 * x + 2] = in[3 * x];
        colour = colour || in[3 * x] != in[3 * x + 1] || in[3 * x + 1] != in[3 * x + 2];
    }
    return colour;
}

}  // namespace

// Every width up to a few vector steps, rows of random colours, of grey
// pixels, and of grey pixels with one coloured pixel at each position (one
// component off by a single bit): the swap and the colour flag as the plain
// rule gives them, and no byte written past the row; the colour test alone
// agrees.
TEST(RgbBytes, SwapAndColourFlagMatchThePlainRule)
{
    std::mt19937 random(14);
    for (int width = 1; width <= 70; ++width) {
        std::vector<std::vector<std::uint8_t>> rows;
        std::vector<std::uint8_t> colour(3 * width), grey(3 * width);
        for (auto& b : colour) b = static_cast<std::uint8_t>(random());
        for (int x = 0; x < width; ++x)
            grey[3 * x] = grey[3 * x + 1] = grey[3 * x + 2] = static_cast<std::uint8_t>(random());
        rows.push_back(colour);
        rows.push_back(grey);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                rows.push_back(grey);
                rows.back()[3 * x + c] ^= static_cast<std::uint8_t>(1u << (x % 8));
            }
        for (const auto& in : rows) {
            std::vector<std::uint8_t> expected(3 * width + 8, 0xA5), actual(3 * width + 8, 0xA5);
            const bool expectedColour = PlainSwap(in, width, expected);
            EXPECT_EQ(SwapRedAndBlue(in.data(), width, actual.data()), expectedColour) << "width " << width;
            EXPECT_EQ(actual, expected) << "width " << width;
            EXPECT_EQ(HasColour(in.data(), width), expectedColour) << "width " << width;
        }
    }
}
