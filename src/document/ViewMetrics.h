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
// The AOI corners at the zoom factor, never beyond the last displayed column
// or row; enlarged, around the AOI's pixels.
OutlineCorners AoiOutline(const CImage& image, float zoom);
// The status-bar text for the point (x, y) of the zoomed picture: the image
// pixel drawn there, at any zoom.
std::string PixelReadOut(const CImage& image, int x, int y, float zoom);
// The zoom pane's text: "100%", "400%", "1/8".
std::string ZoomText(float zoom);
// The largest zoom step from 1/64 to 64 at which a width x height image
// fits in room; 1/64 when none does.
float FitZoom(int width, int height, int roomWidth, int roomHeight);

extern const char* const kIdleStatusText;
