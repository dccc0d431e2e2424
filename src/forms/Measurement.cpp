// Measure tool and AOI drag arithmetic.
#include "forms/Measurement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Format.h"
#include "platform/UserInterface.h"

double CalculateAngle(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2) {
        platform::error("CNUVAKView::CalculateAngle() aborted.\nPoint1 = Point2.\n"
                        "Cannot calculate the angle between a point and itself.");
        return 0;
    }
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    if (dx == 0) return y2 < y1 ? 90 : 270;
    if (dy == 0) return x2 < x1 ? 180 : 0;
    const double a = std::atan(static_cast<double>(dy) / dx) * 57.29577951308238;
    if (x2 > x1) return y2 < y1 ? a : 360 - a;
    return y2 < y1 ? 180 - a : 180 + a;
}

double MeasureDistance(ImagePoint p1, ImagePoint p2)
{
    const double dx = std::abs(p2.x - p1.x);
    const double dy = std::abs(p2.y - p1.y);
    return std::sqrt(dy * dy + dx * dx);
}

std::string MeasurementText(ImagePoint p1, ImagePoint p2, double distance, double angle,
                            const CCalibration& calibration)
{
    std::string text = platform::Format("Point 1 at (%d, %d).\nPoint 2 at (%d, %d).\nDistance = %5.3f pixels.\n"
                                        "Angle = %5.3f\u00B0.",
                                        p1.x, p1.y, p2.x, p2.y, distance, angle);
    if (calibration.Calibrated())
        text += platform::Format("\nDistance = %.4f %s.", calibration.Length(p2.x - p1.x, p2.y - p1.y),
                                 calibration.unit.c_str());
    return text;
}

ImagePoint ClientToImage(int clientX, int clientY, int scrollX, int scrollY, float zoom)
{
    const int x = clientX + std::max(scrollX, 0);
    const int y = clientY + std::max(scrollY, 0);
    return {static_cast<int>(x / zoom), static_cast<int>(y / zoom)};
}

ImagePoint ClampIntoImage(ImagePoint p, int width, int height)
{
    return {std::clamp(p.x, 0, width - 1), std::clamp(p.y, 0, height - 1)};
}

std::optional<AoiRect> AoiFromDrag(int pressX, int pressY, int releaseX, int releaseY, int scrollX, int scrollY,
                                   float zoom, int width, int height)
{
    const ImagePoint a = ClientToImage(pressX, pressY, scrollX, scrollY, zoom);
    const ImagePoint b = ClientToImage(releaseX, releaseY, scrollX, scrollY, zoom);
    const AoiRect r{std::max(a.x, 0), std::max(a.y, 0), std::min(b.x, width - 1), std::min(b.y, height - 1)};
    if (r.left < r.right && r.top < r.bottom) return r;
    return std::nullopt;
}
