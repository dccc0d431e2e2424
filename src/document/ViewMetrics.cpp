// Zoomed sizes, the AOI outline and the pixel read-out of the image view.
#include "document/ViewMetrics.h"

#include <algorithm>

#include "image/Image.h"
#include "platform/Format.h"

const char* const kIdleStatusText = "For Help, press F1";

ZoomedSize ZoomedImageSize(const CImage& image, float zoom)
{
    return {RoundHalfAway(static_cast<double>(zoom) * image.width),
            RoundHalfAway(static_cast<double>(zoom) * image.height)};
}

OutlineCorners AoiOutline(const CImage& image, float zoom)
{
    const double z = zoom;
    const ZoomedSize shown = ZoomedImageSize(image, zoom);
    return {RoundHalfAway(image.aoiLeft * z), RoundHalfAway(image.aoiTop * z),
            std::min(RoundHalfAway(image.aoiRight * z), shown.width - 1),
            std::min(RoundHalfAway(image.aoiBottom * z), shown.height - 1)};
}

std::string PixelReadOut(const CImage& image, int x, int y, float zoom)
{
    // Away from 1:1 a screen point is no single pixel.
    if (zoom != 1.0f || x < 0 || y < 0 || x >= image.width || y >= image.height) return kIdleStatusText;
    const CColorVal& pixel = image.pixelValueArray[y][x];
    if (image.format == FORMAT_GRAYSCALE)
        return platform::Format("x = %d, y = %d, luminosity = %d", x, y, pixel.red);
    return platform::Format("x = %d, y = %d, R = %d G = %d B = %d", x, y, pixel.red, pixel.green, pixel.blue);
}
