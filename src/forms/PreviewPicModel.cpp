// Preview picture: fitting scale and the shrunken bitmap of an image.
#include "forms/PreviewPicModel.h"

#include <algorithm>

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
    displayWidth_ = static_cast<int>(a * scale_);
    displayHeight_ = static_cast<int>(b * scale_);
}

int PreviewPicModel::Display(CImage& image, CDeviceBitmap& bitmap, int displayBits)
{
    if (image.MakeScaledBitmap(bitmap, static_cast<float>(scale_), false, displayBits) == 0) return 0;
    platform::error(image.errorMessage);
    errorText_ = "CPreviewPic::Display() fails.\n\n";
    return -1;
}

void SetParameterDialogBox(PreviewPicModel& picture) { picture.SetBox(135, 6, 210, 280); }

void SetMorphologyDialogBox(PreviewPicModel& picture) { picture.SetBox(160, 6, 183, 244); }
