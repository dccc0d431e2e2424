// The image file dialogs' rules: filters, the Save As path and the range choice.
#include <gtest/gtest.h>

#include "forms/ImageFileFilters.h"

TEST(ImageFileFilters, FiltersListEveryFormat)
{
    EXPECT_EQ(OpenImageFilters(), "Images (*.bmp *.png *.tif *.tiff *.jpg *.jpeg);;Bitmap (*.bmp);;PNG (*.png);;"
                                  "TIFF (*.tif *.tiff);;JPEG (*.jpg *.jpeg)");
    EXPECT_EQ(SaveImageFilters(), "Bitmap (*.bmp);;PNG (*.png);;TIFF (*.tif *.tiff);;JPEG (*.jpg *.jpeg)");
}

TEST(ImageFileFilters, SaveAsPathFollowsTheTypedExtensionOrTheFilter)
{
    const std::string cases[][3] = {
        {"/d/a", "PNG (*.png)", "/d/a.png"},          {"/d/a", "TIFF (*.tif *.tiff)", "/d/a.tif"},
        {"/d/a", "JPEG (*.jpg *.jpeg)", "/d/a.jpg"},  {"/d/a", "Bitmap (*.bmp)", "/d/a.bmp"},
        {"/d/a", "", "/d/a.bmp"},                     {"/d/a.", "PNG (*.png)", "/d/a.png"},
        {"/d/a.tiff", "PNG (*.png)", "/d/a.tiff"},    {"/d/a.gif", "PNG (*.png)", "/d/a.gif"},
        {"/d.x/a", "JPEG (*.jpg *.jpeg)", "/d.x/a.jpg"},
    };
    for (const auto& c : cases) EXPECT_EQ(SaveAsPath(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(ImageFileFilters, RangeChoices)
{
    using M = SampleRange::Mode;
    EXPECT_EQ(RangeOf(RangeChoice::File, 5, 9), (SampleRange{}));
    EXPECT_EQ(RangeOf(RangeChoice::Full, 5, 9), (SampleRange{M::Full, 0, 65535}));
    EXPECT_EQ(RangeOf(RangeChoice::Fixed, 900, 100), (SampleRange{M::Fixed, 100, 900}));
    EXPECT_EQ(RangeOf(RangeChoice::Fixed, 7, 7), (SampleRange{M::Fixed, 7, 8}));
    EXPECT_EQ(RangeOf(RangeChoice::Fixed, 65535, 65535), (SampleRange{M::Fixed, 65534, 65535}));
    for (RangeChoice c : {RangeChoice::File, RangeChoice::Full, RangeChoice::Fixed})
        EXPECT_EQ(ChoiceOf(RangeOf(c, 1, 2)), c);
    EXPECT_EQ(ParseSampleRange(SampleRangeText({M::Fixed, 12, 3456})), (SampleRange{M::Fixed, 12, 3456}));
}
