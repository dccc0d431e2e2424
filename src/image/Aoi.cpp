// The AOI corner setters: clamp into the image, at most one notice per call.
#include "image/Image.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

// The notice names the corner as it is stored, both coordinates clamped.
void ClampCorner(const CImage& image, int x, int y, bool warn, const char* fmt, int& outX, int& outY)
{
    int nx = x < 0 ? 0 : x;
    int ny = y < 0 ? 0 : y;
    if (x > image.width - 1) nx = image.width - 1;
    if (y > image.height - 1) ny = image.height - 1;
    if (warn && (nx != x || ny != y)) platform::notice(platform::Format(fmt, x, y, nx, ny));
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
