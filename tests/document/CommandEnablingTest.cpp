#include <gtest/gtest.h>

#include "document/CommandEnabling.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

using enabling::FrameAllows;

TEST(CommandEnabling, FormatObjectAndWindowRules)
{
    const CImage rgb = MakeImage(2, 2, [](int, int) { return CColorVal(1, 2, 3); });
    const CImage grey = MakeGrey(2, 2, [](int, int) { return 7; });
    CImage withObjects = grey;
    withObjects.objects.resize(1);

    struct Case {
        int id;
        bool none, rgb, grey, objects;
    } cases[] = {
        {cmd::Attributes, false, true, true, true},
        {cmd::Crop, false, true, true, true},
        {cmd::Invert, false, true, true, true},
        {cmd::Sobel, false, true, true, true},
        {cmd::Add, false, true, true, true},
        {cmd::Comb, false, true, true, true},
        {cmd::Grayscale, false, true, false, false},
        {cmd::Rgb, false, false, true, true},
        {cmd::Median, false, false, true, true},
        {cmd::Clean, false, false, true, true},
        {cmd::BrightnessSlice, false, false, true, true},
        {cmd::Erosion, false, false, true, true},
        {cmd::ValleyDetector, false, false, true, true},
        {cmd::FrequencyDomain, false, false, true, true},
        {cmd::ClearObjects, false, false, false, true},
        {cmd::Zoom1to1, false, false, false, false},
        {cmd::ZoomIn, false, true, true, true},
        {cmd::ZoomOut, false, true, true, true},
        // Commands the frame does not govern.
        {cmd::FileNew, true, true, true, true},
        {cmd::Undo, true, true, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameAllows(c.id, nullptr, 1.0f), c.none) << c.id;
        EXPECT_EQ(FrameAllows(c.id, &rgb, 1.0f), c.rgb) << c.id;
        EXPECT_EQ(FrameAllows(c.id, &grey, 1.0f), c.grey) << c.id;
        EXPECT_EQ(FrameAllows(c.id, &withObjects, 1.0f), c.objects) << c.id;
    }
}

TEST(CommandEnabling, ZoomStopsAt64AndOneSixtyFourth)
{
    const CImage image = MakeGrey(1, 1, [](int, int) { return 0; });
    float zoom = 1.0f;
    int steps = 0;
    while (FrameAllows(cmd::ZoomIn, &image, zoom)) zoom *= 2.0f, ++steps;
    EXPECT_EQ(zoom, 64.0f);
    EXPECT_EQ(steps, 6);
    EXPECT_TRUE(FrameAllows(cmd::Zoom1to1, &image, zoom));

    zoom = 1.0f;
    steps = 0;
    while (FrameAllows(cmd::ZoomOut, &image, zoom)) zoom *= 0.5f, ++steps;
    EXPECT_EQ(zoom, 0.015625f);
    EXPECT_EQ(steps, 6);
    EXPECT_TRUE(FrameAllows(cmd::Zoom1to1, &image, zoom));
    EXPECT_FALSE(FrameAllows(cmd::Zoom1to1, &image, 1.0f));
}
