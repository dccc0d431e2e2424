// Background detection: black or white, from the AOI's left column and top row.
#include "image/Image.h"
#include "platform/UserInterface.h"

int CImage::DetectBackground()
{
    int light = 0;
    int dark = 0;
    auto count = [&](const CColorVal& pixel) { (pixel.Luminance() >= 128 ? light : dark) += 1; };
    const PixelStore& pixels = pixelValueArray;  // reading only: a grey plane stays
    for (int y = aoiTop; y <= aoiBottom; ++y) count(pixels[y][aoiLeft]);
    for (int x = aoiLeft; x <= aoiRight; ++x) count(pixels[aoiTop][x]);

    if (light < dark)
        return platform::askYesNo("Detected LIGHT objects on a BLACK background.\nIs this correct?") ? 0 : 255;
    return platform::askYesNo("Detected DARK objects on a WHITE background.\nIs this correct?") ? 255 : 0;
}
