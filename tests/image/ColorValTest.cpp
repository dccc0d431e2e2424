#include <gtest/gtest.h>

#include "image/ColorVal.h"

TEST(ColorVal, ClampsEachComponent)
{
    EXPECT_EQ(CColorVal(300, -5, 128), CColorVal(255, 0, 128));
    EXPECT_EQ(CColorVal(), CColorVal(0, 0, 0));
}
