// What the image view shows at a zoom factor: the zoomed size, the AOI
// outline and the pixel read-out for the status bar.
#pragma once

#include <string>

class CImage;

struct ZoomedSize {
    int width = 0;
    int height = 0;
};

struct OutlineCorners {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const OutlineCorners&, const OutlineCorners&) = default;
};

ZoomedSize ZoomedImageSize(const CImage& image, float zoom);
// The AOI corners at the zoom factor, never beyond the last displayed column or row.
OutlineCorners AoiOutline(const CImage& image, float zoom);
// The status-bar text for image point (x, y).
std::string PixelReadOut(const CImage& image, int x, int y, float zoom);

extern const char* const kIdleStatusText;
