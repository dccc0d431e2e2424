// Zoomed sizes, the AOI outline and the pixel read-out of the image view.
#include "document/ViewMetrics.h"

#include <algorithm>
#include <cmath>

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
    // Enlarged, a pixel is a block: the outline goes round the last block's far side.
    const auto far = [z](int last) { return z > 1 ? RoundHalfAway((last + 1) * z) - 1 : RoundHalfAway(last * z); };
    return {RoundHalfAway(image.aoiLeft * z), RoundHalfAway(image.aoiTop * z),
            std::min(far(image.aoiRight), shown.width - 1), std::min(far(image.aoiBottom), shown.height - 1)};
}

namespace {

// The image column or row drawn at picture coordinate v: enlarged pictures
// repeat each pixel zoom times, shrunk ones take the nearest pixel.
int ImageCoordinate(int v, float zoom)
{
    const double z = zoom;
    return z >= 1 ? static_cast<int>(std::floor(v / z)) : RoundHalfAway(v / z);
}

}  // namespace

std::string PixelReadOut(const CImage& image, int px, int py, float zoom)
{
    const ZoomedSize shown = ZoomedImageSize(image, zoom);
    if (!(zoom > 0) || px < 0 || py < 0 || px >= shown.width || py >= shown.height) return kIdleStatusText;
    const int x = std::min(ImageCoordinate(px, zoom), image.width - 1);
    const int y = std::min(ImageCoordinate(py, zoom), image.height - 1);
    const CColorVal& pixel = image.pixelValueArray[y][x];
    std::string text = image.format == FORMAT_GRAYSCALE
                           ? platform::Format("x = %d, y = %d, luminosity = %d", x, y, pixel.red)
                           : platform::Format("x = %d, y = %d, R = %d G = %d B = %d", x, y, pixel.red, pixel.green,
                                              pixel.blue);
    // A calibrated image also gives the pixel's place in its unit.
    const CCalibration& c = image.calibration;
    if (c.Calibrated())
        text += platform::Format(" (%.4g, %.4g %s)", x * c.pixelWidth, y * c.pixelHeight, c.unit.c_str());
    return text;
}

std::string ZoomText(float zoom)
{
    if (zoom >= 1) return platform::Format("%d%%", RoundHalfAway(zoom * 100.0));
    return platform::Format("1/%d", RoundHalfAway(1.0 / zoom));
}

float FitZoom(int width, int height, int roomWidth, int roomHeight)
{
    for (float zoom = 64.0f; zoom > 1.0f / 64; zoom *= 0.5f) {
        if (static_cast<double>(zoom) * width <= roomWidth && static_cast<double>(zoom) * height <= roomHeight)
            return zoom;
    }
    return 1.0f / 64;
}
