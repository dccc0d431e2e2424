#include "support/BitmapFiles.h"

#include <gtest/gtest.h>

void SaveBitmap(CImage& image, const std::string& path)
{
    std::string message;
    bool causeValid;
    int cause;
    ASSERT_EQ(image.SerializeFile(true, path, false, message, causeValid, cause), 0) << message;
}

CImage LoadBitmap(const std::string& path)
{
    CImage image;
    std::string message;
    bool causeValid;
    int cause;
    EXPECT_EQ(image.SerializeFile(false, path, false, message, causeValid, cause), 0) << message;
    return image;
}
