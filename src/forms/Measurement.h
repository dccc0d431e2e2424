// The measure tool's numbers: distance and angle between two image points,
// the text handed to the profile dialog, and the AOI a select drag makes.
#pragma once

#include <optional>
#include <string>

#include "image/Calibration.h"

struct ImagePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const ImagePoint&, const ImagePoint&) = default;
};

// Degrees 0 <= angle < 360, counter-clockwise as seen on the screen (image y
// grows downwards). The same point twice shows
// "CNUVAKView::CalculateAngle() aborted.\nPoint1 = Point2.\nCannot calculate
// the angle between a point and itself." and gives 0.
double CalculateAngle(int x1, int y1, int x2, int y2);
double MeasureDistance(ImagePoint p1, ImagePoint p2);
// "Point 1 at (%d, %d).\nPoint 2 at (%d, %d).\nDistance = %5.3f
// pixels.\nAngle = %5.3f°." with the degree sign in UTF-8.
// A calibrated image adds "\nDistance = %.4f UNIT." with the length in its unit.
std::string MeasurementText(ImagePoint p1, ImagePoint p2, double distance, double angle,
                            const CCalibration& calibration = {});

// A view's client point with the scroll positions (added when positive),
// divided by the zoom factor and truncated.
ImagePoint ClientToImage(int clientX, int clientY, int scrollX, int scrollY, float zoom);
// The measured second point clamped into the image.
ImagePoint ClampIntoImage(ImagePoint p, int width, int height);

struct AoiRect {
    int left, top, right, bottom;
};

// The AOI a select drag from press to release makes, in image pixels: the
// press corner at least 0, the release corner at most the last column and
// row; none unless left < right and top < bottom (the AOI then stays).
std::optional<AoiRect> AoiFromDrag(int pressX, int pressY, int releaseX, int releaseY, int scrollX, int scrollY,
                                   float zoom, int width, int height);
