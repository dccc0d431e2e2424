// The stretched spectrum picture: levels from the range of log magnitudes,
// and single peaks that survive shrinking.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "frequency/SpectrumContrast.h"
#include "image/DeviceBitmap.h"
#include "support/TestImages.h"

namespace {

// A 64 x 48 spectrum of magnitude e - 1 everywhere (ln 2 = 1) but for a
// peak of e^5 - 1 at data (row 3, column 5) and a zero at (0, 0).
CImage PeakSpectrum()
{
    CImage image = MakeGrey(64, 48, [](int, int) { return 0; });
    EXPECT_TRUE(image.dataArray.Allocate(64, 48));
    ForEachSpectrumValue(image, [](FrequencyBuffer::Value& v) { v = std::exp(1.0) - 1; });
    image.dataArray[3][5] = {0, -(std::exp(5.0) - 1)};
    image.dataArray[0][0] = 0;
    return image;
}

TEST(SpectrumContrast, LevelsSpanTheLogMagnitudesCentred)
{
    CImage picture;
    ASSERT_TRUE(StretchedSpectrum(PeakSpectrum(), 1.0f, picture));
    ASSERT_EQ(picture.format, FORMAT_GRAYSCALE);
    // Zero frequency at the centre; ln 1 = 0 is the minimum, 5 the maximum.
    EXPECT_EQ(picture.pixelValueArray[24][32].red, 0);
    EXPECT_EQ(picture.pixelValueArray[27][37].red, 255);
    EXPECT_EQ(picture.pixelValueArray[0][0].red, RoundHalfAway(255 / 5.0));

    CImage flat = MakeGrey(8, 8, [](int, int) { return 9; });
    ASSERT_TRUE(flat.dataArray.Allocate(8, 8));
    flat.dataArray[2][2] = {std::numeric_limits<double>::quiet_NaN(), 0};
    ASSERT_TRUE(StretchedSpectrum(flat, 1.0f, picture));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(picture.pixelValueArray[y][x].red, 0);
}

TEST(SpectrumContrast, APeakSurvivesEveryShrinking)
{
    for (float factor : {0.9f, 0.5f, 0.3f, 0.11f, 0.02f}) {
        CImage picture;
        ASSERT_TRUE(StretchedSpectrum(PeakSpectrum(), factor, picture));
        CDeviceBitmap bitmap;
        ASSERT_EQ(picture.MakeScaledBitmap(bitmap, factor, false, 24), 0);
        int peaks = 0;
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x) peaks += bitmap.Row(y)[3 * x] == 255;
        EXPECT_EQ(peaks, 1) << factor;
    }
}

}  // namespace
