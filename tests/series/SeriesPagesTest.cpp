#include <gtest/gtest.h>

#include "series/SeriesPages.h"

TEST(SeriesPages, EveryOperationNameFindsItsPage)
{
    using Page = SeriesParameterPage;
    struct Case {
        const char* name;
        Page page;
        bool aoi;
        bool repetitions;
    };
    const Case cases[] = {
        {"Grayscale", Page::None, false, false},        {"Extract RGB", Page::None, false, false},
        {"Comb", Page::None, false, false},             {"Crop", Page::None, true, false},
        {"Invert", Page::None, true, false},            {"Sobel", Page::None, true, false},
        {"Flip Vertical", Page::None, true, false},     {"Flip Horizontal", Page::None, true, false},
        {"Erosion", Page::Morphology, true, false},     {"Dilation", Page::Morphology, true, false},
        {"Opening", Page::Morphology, true, true},      {"Closing", Page::Morphology, true, true},
        {"Outline", Page::Morphology, true, false},     {"Gradient", Page::Morphology, true, false},
        {"Peak Detection", Page::Morphology, true, true}, {"Valley Detection", Page::Morphology, true, true},
        {"High Pass Filter", Page::Filter, true, false}, {"Low Pass Filter", Page::Filter, true, false},
        {"Unsharp Mask", Page::Filter, true, false},    {"Median Filter", Page::Filter, true, false},
        {"Laplace", Page::Filter, true, false},         {"Prewitt", Page::Filter, true, false},
        {"Clean", Page::Filter, true, false},           {"Rotate", Page::Transform, true, false},
        {"Scale", Page::Transform, true, false},        {"Find Objects", Page::FindObjects, true, false},
        {"Bound", Page::Process, true, false},          {"Brightness Slice", Page::Process, true, false},
        {"Threshold", Page::Process, true, false},      {"threshold", Page::None, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParameterPageFor(c.name), c.page) << c.name;
        EXPECT_EQ(UsesAoi(c.name), c.aoi) << c.name;
        EXPECT_EQ(UsesRepetitions(c.name), c.repetitions) << c.name;
    }
}
