#include <gtest/gtest.h>

#include "objects/Sketch.h"

TEST(FoundObject, ANewObjectAndItsCopy)
{
    CFoundObject fresh;
    EXPECT_EQ(fresh.area, 0);
    EXPECT_EQ(fresh.majorAxis, 0.0);
    EXPECT_FALSE(fresh.partial);
    EXPECT_TRUE(fresh.boundaryPoints.empty());
    EXPECT_GE(fresh.boundaryPoints.capacity(), 100u);
    EXPECT_EQ(fresh.separator, ",");
    EXPECT_EQ(fresh.RowText(1, false, METRIC_ALL),
              "1,0.0,0.0,0,0,0,0,0,0.0,0.0,0.0,0.0,F,0,0.0,0.0,0,0,0.0,0.0,0,0,0.0,0.0,0,0,0.0,0.0");

    CImage image = Sketch({"......", ".####.", "......"});
    ASSERT_EQ(FindObjects(image).status, 0);
    const CFoundObject copy = image.objects.at(0);
    EXPECT_EQ(copy.boundaryPoints, image.objects[0].boundaryPoints);
    EXPECT_EQ(copy.RowText(1, true, METRIC_ALL), image.objects[0].RowText(1, true, METRIC_ALL));
}
