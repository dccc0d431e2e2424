// Preview picture: fitting scale and the shrunken bitmap of an image.
#include "forms/PreviewPicModel.h"

#include <algorithm>

#include "image/ColorVal.h"
#include "platform/UserInterface.h"

void PreviewPicModel::SetBox(int left, int top, int maxHeight, int maxWidth)
{
    left_ = left;
    top_ = top;
    maxHeight_ = maxHeight;
    maxWidth_ = maxWidth;
}

void PreviewPicModel::SetImageSize(int a, int b)
{
    const int MW = maxWidth_, MH = maxHeight_;
    if (a <= 0 || b <= 0) {
        scale_ = 1.0;  // nothing to fit
    } else if (MW >= a) {
        scale_ = MH >= b ? 1.0 : static_cast<double>(MH) / b;
    } else if (MH < b) {
        scale_ = a - MW < b - MH ? static_cast<double>(MH) / b : static_cast<double>(MW) / a;
        // The excess rule can pick the side whose fit lets the other side
        // spill over the dialog's controls; then the tighter fit is taken.
        if (a * scale_ >= MW + 1 || b * scale_ >= MH + 1)
            scale_ = std::min(static_cast<double>(MW) / a, static_cast<double>(MH) / b);
    } else {
        scale_ = static_cast<double>(MW) / a;
    }
    enlargement_ = enlarging_ && a > 0 && b > 0 ? std::max(1, std::min(MW / a, MH / b)) : 1;
    if (enlargement_ > 1) scale_ = enlargement_;
    displayWidth_ = static_cast<int>(a * scale_);
    displayHeight_ = static_cast<int>(b * scale_);
}

int PreviewPicModel::ToImage(int v) const
{
    if (enlargement_ > 1) return v >= 0 ? v / enlargement_ : -((-v + enlargement_ - 1) / enlargement_);
    return RoundHalfAway(v / scale_);
}

std::pair<int, int> PreviewPicModel::ToPicture(int first, int last) const
{
    if (enlargement_ > 1) return {first * enlargement_, (last + 1) * enlargement_ - 1};
    return {RoundHalfAway(first * scale_), RoundHalfAway(last * scale_)};
}

namespace {

// Each pixel of bitmap becomes a k x k block.
void EnlargeBitmap(CDeviceBitmap& bitmap, int k)
{
    CDeviceBitmap large;
    large.width = bitmap.width * k;
    large.height = bitmap.height * k;
    large.bitsPerPixel = bitmap.bitsPerPixel;
    large.bytesPerRow = BitmapRowLength(bitmap.bitsPerPixel, large.width);
    large.bits.assign(static_cast<size_t>(large.bytesPerRow) * large.height, 0);
    const int bytes = bitmap.bitsPerPixel / 8;
    for (int y = 0; y < large.height; ++y) {
        const std::uint8_t* in = bitmap.Row(y / k);
        std::uint8_t* out = large.bits.data() + static_cast<size_t>(y) * large.bytesPerRow;
        for (int x = 0; x < large.width; ++x) std::copy_n(in + (x / k) * bytes, bytes, out + x * bytes);
    }
    bitmap = std::move(large);
}

}  // namespace

int PreviewPicModel::Display(CImage& image, CDeviceBitmap& bitmap, int displayBits)
{
    if (enlargement_ > 1) {
        if (image.MakeBitmap(bitmap, true, displayBits) == 0) {
            EnlargeBitmap(bitmap, enlargement_);
            return 0;
        }
    } else if (image.MakeScaledBitmap(bitmap, static_cast<float>(scale_), false, displayBits) == 0) {
        return 0;
    }
    platform::error(image.errorMessage);
    errorText_ = "CPreviewPic::Display() fails.\n\n";
    return -1;
}

void SetParameterDialogBox(PreviewPicModel& picture) { picture.SetBox(135, 6, 210, 280); }

void SetMorphologyDialogBox(PreviewPicModel& picture) { picture.SetBox(160, 6, 183, 244); }
