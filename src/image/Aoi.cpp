// The AOI corner setters: clamp into the image, at most one notice per call.
#include "image/Image.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

void ClampCorner(const CImage& image, int x, int y, bool warn, const char* fmt, int& outX, int& outY)
{
    int nx = x;
    int ny = y;
    if (x < 0) {
        nx = 0;
        if (warn) {
            platform::notice(platform::Format(fmt, x, y, 0, y));
            warn = false;
        }
    }
    if (y < 0) {
        ny = 0;
        if (warn) {
            platform::notice(platform::Format(fmt, x, y, nx, 0));
            warn = false;
        }
    }
    if (x > image.width - 1) {
        nx = image.width - 1;
        if (warn) {
            platform::notice(platform::Format(fmt, x, y, image.width - 1, ny));
            warn = false;
        }
    }
    if (y > image.height - 1) {
        if (warn) platform::notice(platform::Format(fmt, x, y, nx, image.height - 1));
        ny = image.height - 1;
    }
    outX = nx;
    outY = ny;
}

}  // namespace

void CImage::SetUpperLeft(int x, int y, bool warn)
{
    ClampCorner(*this, x, y, warn,
                "Specified upper left corner (%d, %d) is outside the image.\n"
                "Upper left corner being reset to (%d, %d)",
                aoiLeft, aoiTop);
}

void CImage::SetLowerRight(int x, int y, bool warn)
{
    ClampCorner(*this, x, y, warn,
                "Specified lower right corner (%d, %d) is outside the image.\n"
                "Lower right corner being reset to (%d, %d)",
                aoiRight, aoiBottom);
}
