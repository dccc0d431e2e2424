// Preview picture: fitting scale and the shrunken copy of an image.
#include "dialogs/logic/PreviewPic.h"

#include <algorithm>

#include "platform/UserInterface.h"

namespace {

// Nearest-neighbour sampling of the whole image by factor into the
// picture's pixels (those of the scaled bitmap that the box shows).
void SampleNearest(const CImage& image, float factor, CImage& picture)
{
    const int w = picture.width, h = picture.height;
    picture.format = image.format;
    for (int o = 0; o < h; ++o) {
        const int row = std::clamp(RoundHalfAway(o / static_cast<double>(factor)), 0, image.height - 1);
        const CColorVal* source = &image.pixelValueArray[row][0];
        CColorVal* target = &picture.pixelValueArray[o][0];
        for (int j = 0; j < w; ++j)
            target[j] = source[std::clamp(RoundHalfAway(j / static_cast<double>(factor)), 0, image.width - 1)];
    }
}

}  // namespace

void CPreviewPic::SetBox(int left, int top, int maxHeight, int maxWidth)
{
    left_ = left;
    top_ = top;
    maxHeight_ = maxHeight;
    maxWidth_ = maxWidth;
}

void CPreviewPic::SetImageSize(int a, int b)
{
    const int MW = maxWidth_, MH = maxHeight_;
    if (a <= 0 || b <= 0) {
        scale_ = 1.0;  // nothing to fit; Display refuses the empty image
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

int CPreviewPic::Display(const CImage& image, CImage& picture)
{
    const float factor = static_cast<float>(scale_);
    std::string reason;
    if (!(factor > 0))
        reason = "CImage::MakeScaledBitmap invalid scaling factor";
    else if (image.IsEmpty() || displayWidth_ <= 0 || displayHeight_ <= 0)
        reason = "The image holds no pixels.";
    if (reason.empty()) {
        // The scaled bitmap is RoundHalfAway(factor x side) wide and high;
        // the box shows its first displayWidth x displayHeight pixels.
        const int w = std::min(displayWidth_, RoundHalfAway(factor * image.width));
        const int h = std::min(displayHeight_, RoundHalfAway(factor * image.height));
        if (picture.BlankImage(w, h, CColorVal()) == 0) {
            SampleNearest(image, factor, picture);
            return 0;
        }
        reason = "CImage::MakeBitmap() failed.  Could not allocate sufficient memory.";
    }
    platform::error(reason);
    errorText_ = "CPreviewPic::Display() fails.\n\n";
    return -1;
}

void SetParameterDialogBox(CPreviewPic& picture) { picture.SetBox(135, 6, 210, 280); }

void SetMorphologyDialogBox(CPreviewPic& picture) { picture.SetBox(160, 6, 183, 244); }
