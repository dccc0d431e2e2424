// CPreviewPic without its paint context: the scale that fits a whole image
// into a dialog's box and the shrunken picture it draws there.
#pragma once

#include <string>

#include "image/Image.h"

class CPreviewPic {
public:
    void SetBox(int left, int top, int maxHeight, int maxWidth);
    // Chooses the scale for an image of this size; the larger excess over
    // the box in pixels decides which side is fitted.
    void SetImageSize(int imageWidth, int imageHeight);
    // The whole image scaled by the scale with nearest-neighbour sampling,
    // displayWidth x displayHeight, to be drawn at (left, top). On failure
    // shows the reason, keeps "CPreviewPic::Display() fails.\n\n" as the
    // error text and returns -1.
    int Display(const CImage& image, CImage& picture);

    double Scale() const { return scale_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int DisplayWidth() const { return displayWidth_; }
    int DisplayHeight() const { return displayHeight_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    double scale_ = 1.0;
    int left_ = 0, top_ = 0;
    int maxHeight_ = 0, maxWidth_ = 0;
    int displayWidth_ = 0, displayHeight_ = 0;
    std::string errorText_;
};

// The preview boxes of the parameter dialogs and of the morphology dialog.
void SetParameterDialogBox(CPreviewPic& picture);
void SetMorphologyDialogBox(CPreviewPic& picture);
