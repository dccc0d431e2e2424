#include <gtest/gtest.h>

#include "forms/Measurement.h"
#include "support/FakeUserInterface.h"

namespace {

constexpr const char* kSamePoint =
    "CNUVAKView::CalculateAngle() aborted.\nPoint1 = Point2.\nCannot calculate the angle between a point and itself.";

}  // namespace

TEST(Measurement, ReleaseText)
{
    FakeUserInterface ui;
    struct Case {
        ImagePoint p1, p2;
        const char* text;
    } cases[] = {
        {{0, 0}, {3, 4}, "Point 1 at (0, 0).\nPoint 2 at (3, 4).\nDistance = 5.000 pixels.\nAngle = 306.870\u00B0."},
        {{5, 9}, {5, 2}, "Point 1 at (5, 9).\nPoint 2 at (5, 2).\nDistance = 7.000 pixels.\nAngle = 90.000\u00B0."},
        {{5, 9}, {1, 9}, "Point 1 at (5, 9).\nPoint 2 at (1, 9).\nDistance = 4.000 pixels.\nAngle = 180.000\u00B0."},
        {{5, 9}, {5, 12}, "Point 1 at (5, 9).\nPoint 2 at (5, 12).\nDistance = 3.000 pixels.\nAngle = 270.000\u00B0."},
        {{1, 1}, {4, 1}, "Point 1 at (1, 1).\nPoint 2 at (4, 1).\nDistance = 3.000 pixels.\nAngle = 0.000\u00B0."},
        {{3, 4}, {0, 0}, "Point 1 at (3, 4).\nPoint 2 at (0, 0).\nDistance = 5.000 pixels.\nAngle = 126.870\u00B0."},
        {{0, 4}, {3, 0}, "Point 1 at (0, 4).\nPoint 2 at (3, 0).\nDistance = 5.000 pixels.\nAngle = 53.130\u00B0."},
        {{3, 0}, {0, 4}, "Point 1 at (3, 0).\nPoint 2 at (0, 4).\nDistance = 5.000 pixels.\nAngle = 233.130\u00B0."},
        {{7, 7}, {7, 7}, "Point 1 at (7, 7).\nPoint 2 at (7, 7).\nDistance = 0.000 pixels.\nAngle = 0.000\u00B0."},
    };
    for (const Case& c : cases) {
        const double angle = CalculateAngle(c.p1.x, c.p1.y, c.p2.x, c.p2.y);
        EXPECT_EQ(MeasurementText(c.p1, c.p2, MeasureDistance(c.p1, c.p2), angle), c.text);
    }
    EXPECT_EQ(ui.errors, (std::vector<std::string>{kSamePoint}));
    // A calibrated image adds the length in its unit: 3 x 0.5 across, 4 x 0.5 down.
    EXPECT_EQ(MeasurementText({0, 0}, {3, 4}, 5.0, 0.0, {0.5, 0.5, "\u00b5m"}),
              "Point 1 at (0, 0).\nPoint 2 at (3, 4).\nDistance = 5.000 pixels.\nAngle = 0.000\u00B0.\n"
              "Distance = 2.5000 \u00b5m.");
}

TEST(Measurement, AoiDragRelease)
{
    struct Case {
        int pressX, pressY, releaseX, releaseY, scrollX, scrollY;
        float zoom;
        bool made;
        AoiRect aoi;
    } cases[] = {
        {10, 10, 100, 50, 0, 0, 1.0f, true, {10, 10, 100, 50}},
        {10, 10, 100, 50, 0, 0, 2.0f, true, {5, 5, 50, 25}},
        {10, 10, 500, 50, 0, 0, 1.0f, true, {10, 10, 199, 50}},  // beyond the right edge
        {10, 10, 10, 10, 0, 0, 1.0f, false, {}},                  // released at the press point
        {10, 10, 11, 60, 0, 0, 2.0f, false, {}},                  // one column once divided
        {10, 10, 100, 50, 20, -5, 1.0f, true, {30, 10, 120, 50}},  // negative scroll is ignored
    };
    for (const Case& c : cases) {
        const std::optional<AoiRect> r =
            AoiFromDrag(c.pressX, c.pressY, c.releaseX, c.releaseY, c.scrollX, c.scrollY, c.zoom, 200, 100);
        ASSERT_EQ(r.has_value(), c.made) << c.releaseX << " " << c.zoom;
        if (!r) continue;
        EXPECT_EQ(r->left, c.aoi.left);
        EXPECT_EQ(r->top, c.aoi.top);
        EXPECT_EQ(r->right, c.aoi.right);
        EXPECT_EQ(r->bottom, c.aoi.bottom);
    }
    const ImagePoint clamped = ClampIntoImage({250, -3}, 200, 100);
    EXPECT_EQ(clamped.x, 199);
    EXPECT_EQ(clamped.y, 0);
}
