// The preview picture without its window: the scale that fits a whole image
// into a dialog's box and the shrunken bitmap drawn there.
#pragma once

#include <string>
#include <utility>

#include "image/DeviceBitmap.h"
#include "image/Image.h"

class PreviewPicModel {
public:
    void SetBox(int left, int top, int maxHeight, int maxWidth);
    // Chooses the scale for an image of this size; the larger excess over
    // the box in pixels decides which side is fitted.
    void SetImageSize(int imageWidth, int imageHeight);
    // From the next SetImageSize on, an image that fits the box at least
    // twice over is enlarged by the largest whole number that keeps it in
    // the box, each pixel a square block, so that small pictures can be aimed at.
    void AllowEnlarging() { enlarging_ = true; }
    // The whole-number enlargement of an enlarged picture; 1 otherwise.
    int Enlargement() const { return enlargement_; }
    // The image column (or row) shown at picture coordinate v: the block
    // under it when enlarged, else the nearest.
    int ToImage(int v) const;
    // The picture coordinates around image pixels first..last: the outer
    // edges of their blocks when enlarged, else the two pixels scaled.
    std::pair<int, int> ToPicture(int first, int last) const;
    // The whole image scaled by the scale with nearest-neighbour sampling;
    // its first displayWidth x displayHeight pixels are drawn at (left, top).
    // On failure shows the image's errorMessage, keeps
    // "CPreviewPic::Display() fails.\n\n" as the error text and returns -1.
    int Display(CImage& image, CDeviceBitmap& bitmap, int displayBits);

    double Scale() const { return scale_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    int DisplayWidth() const { return displayWidth_; }
    int DisplayHeight() const { return displayHeight_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    double scale_ = 1.0;
    int left_ = 0, top_ = 0;
    int maxHeight_ = 0, maxWidth_ = 0;
    int displayWidth_ = 0, displayHeight_ = 0;
    bool enlarging_ = false;
    int enlargement_ = 1;
    std::string errorText_;
};

// The preview boxes of the parameter dialogs and of the morphology dialog.
void SetParameterDialogBox(PreviewPicModel& picture);
void SetMorphologyDialogBox(PreviewPicModel& picture);
