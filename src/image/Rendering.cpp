// Display bitmaps of the image, whole, of the AOI or scaled down, and the
// drawing of the image with its found objects at a zoom factor.
#include <algorithm>
#include <cmath>
#include <new>

#include "image/Canvas.h"
#include "image/DeviceBitmap.h"
#include "image/Image.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

const char* const kAllocFailed = "CImage::MakeBitmap() failed.  Could not allocate sufficient memory.";
const char* const kTooFewColors =
    "Your display is not currently set up to display sufficient colors.\nTo properly display the image,\n"
    "go into Control Panel - Display - Settings and set your color palette to\nTrue Color.";
const char* const kDrawTooFewColors =
    "Your display is not currently set up to display sufficient colors.\nTo properly display the image, go "
    "into\n Control Panel - Display - Settings\n and set your color palette to True Color.";

// Sizes and allocates the zero-filled bits; false with errorMessage set.
bool PrepareBitmap(CDeviceBitmap& bitmap, int width, int height, int displayBits, std::string& errorMessage)
{
    const int rowLength = BitmapRowLength(displayBits, width);
    try {
        bitmap.bits.assign(static_cast<size_t>(rowLength) * static_cast<size_t>(height), 0);
    } catch (const std::exception&) {
        errorMessage = kAllocFailed;
        return false;
    }
    if (displayBits != 24 && displayBits != 32) {
        bitmap.bits.clear();
        errorMessage = kTooFewColors;
        return false;
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bytesPerRow = rowLength;
    bitmap.bitsPerPixel = displayBits;
    return true;
}

inline std::uint8_t* PutPixel(std::uint8_t* out, const CColorVal& c, int bytesPerPixel)
{
    out[0] = c.blue;
    out[1] = c.green;
    out[2] = c.red;
    return out + bytesPerPixel;  // the fourth byte stays 0
}

inline std::uint8_t Blend(double w00, double w10, double w01, double w11, int a, int b, int c, int d)
{
    return CColorVal::Clamp(RoundHalfAway(w00 * a + w10 * b + w01 * c + w11 * d));
}

}  // namespace

int CImage::MakeBitmap(CDeviceBitmap& bitmap, bool wholeImage, int displayBits)
{
    const int left = wholeImage ? 0 : aoiLeft;
    const int top = wholeImage ? 0 : aoiTop;
    const int w = wholeImage ? width : aoiRight - aoiLeft + 1;
    const int h = wholeImage ? height : aoiBottom - aoiTop + 1;
    if (!PrepareBitmap(bitmap, w, h, displayBits, errorMessage)) return -1;
    const int bytesPerPixel = displayBits / 8;
    // Reading only: a grey plane stays beside the rows made for the picture.
    const PixelStore& pixels = pixelValueArray;
    for (int y = 0; y < h; ++y) {
        const CColorVal* in = pixels[top + y] + left;
        std::uint8_t* out = bitmap.bits.data() + static_cast<size_t>(y) * bitmap.bytesPerRow;
        for (int x = 0; x < w; ++x) out = PutPixel(out, in[x], bytesPerPixel);
    }
    return 0;
}

int CImage::MakeScaledBitmap(CDeviceBitmap& bitmap, float factor, bool bilinear, int displayBits)
{
    if (!(factor > 0)) {
        errorMessage = "CImage::MakeScaledBitmap invalid scaling factor";
        return -1;
    }
    const int outW = RoundHalfAway(static_cast<double>(factor) * width);
    const int outH = RoundHalfAway(static_cast<double>(factor) * height);
    if (!PrepareBitmap(bitmap, outW, outH, displayBits, errorMessage)) return -1;
    const int bytesPerPixel = displayBits / 8;
    const PixelStore& pixels = pixelValueArray;
    // A single column or row has no neighbour to blend with.
    const bool blend = bilinear && width > 1 && height > 1;

    // Source column and weight of every output column, worked out once.
    std::vector<int> column(outW);
    std::vector<double> dxs(outW);
    for (int j = 0; j < outW; ++j) {
        const double sx = j / static_cast<double>(factor);
        if (blend) {
            // Past the last column the last column repeats instead of being extrapolated.
            const double clamped = std::min(sx, static_cast<double>(width - 1));
            column[j] = std::min(static_cast<int>(clamped), width - 2);
            dxs[j] = clamped - column[j];
        } else {
            column[j] = std::clamp(RoundHalfAway(sx), 0, width - 1);
        }
    }
    for (int o = 0; o < outH; ++o) {
        const double sy = o / static_cast<double>(factor);
        std::uint8_t* out = bitmap.bits.data() + static_cast<size_t>(o) * bitmap.bytesPerRow;
        if (!blend) {
            const CColorVal* in = pixels[std::clamp(RoundHalfAway(sy), 0, height - 1)];
            for (int j = 0; j < outW; ++j) out = PutPixel(out, in[column[j]], bytesPerPixel);
            continue;
        }
        const double clampedY = std::min(sy, static_cast<double>(height - 1));
        const int r = std::min(static_cast<int>(clampedY), height - 2);
        const double dy = clampedY - r;
        const CColorVal* upper = pixels[r];
        const CColorVal* lower = pixels[r + 1];
        for (int j = 0; j < outW; ++j) {
            const int c = column[j];
            const double dx = dxs[j];
            const double w00 = (1 - dx) * (1 - dy), w10 = dx * (1 - dy), w01 = (1 - dx) * dy, w11 = dx * dy;
            const CColorVal &tl = upper[c], &tr = upper[c + 1], &bl = lower[c], &br = lower[c + 1];
            out[0] = Blend(w00, w10, w01, w11, tl.blue, tr.blue, bl.blue, br.blue);
            out[1] = Blend(w00, w10, w01, w11, tl.green, tr.green, bl.green, br.green);
            out[2] = Blend(w00, w10, w01, w11, tl.red, tr.red, bl.red, br.red);
            out += bytesPerPixel;
        }
    }
    return 0;
}

void CImage::Draw(CCanvas& canvas, float zoom, bool bilinear)
{
    const int bits = canvas.BitsPerPixel();
    if (bits < 24) {
        platform::error(kDrawTooFewColors);
        return;
    }
    const int shownW = RoundHalfAway(static_cast<double>(zoom) * width);
    const int shownH = RoundHalfAway(static_cast<double>(zoom) * height);
    CDeviceBitmap bitmap;
    const int result = zoom >= 1 ? MakeBitmap(bitmap, true, bits) : MakeScaledBitmap(bitmap, zoom, bilinear, bits);
    if (result != 0) {
        platform::error(errorMessage);
        return;
    }
    canvas.StretchBitmap(bitmap, shownW, shownH);

    for (size_t k = 0; k < objects.size(); ++k) {
        const CFoundObject& object = objects[k];
        for (const CBoundaryPoint& p : object.boundaryPoints)
            canvas.SetPixel(RoundHalfAway(zoom * p.x), RoundHalfAway(zoom * p.y), objectColor);
        canvas.TextCentred(RoundHalfAway(zoom * object.centroidX), RoundHalfAway(zoom * object.centroidY),
                           platform::Format("%d", static_cast<int>(k + 1)), objectColor);
    }
}
