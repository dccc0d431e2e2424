// Frequency wizard, AOI page: size lists and tracker placement.
#include "forms/FftAoiModel.h"

#include <algorithm>

#include "forms/SeriesAoiPage.h"
#include "image/ColorVal.h"

std::vector<int> PowerOfTwoSizes(int dimension)
{
    std::vector<int> sizes;
    if (dimension > (1 << 29)) return sizes;
    for (int size = 8; size <= dimension; size *= 2) sizes.push_back(size);
    return sizes;
}

FftAoiModel::FftAoiModel() { picture_.SetBox(0, 0, 300, 400); }

void FftAoiModel::Open(int imageWidth, int imageHeight)
{
    imageWidth_ = imageWidth;
    imageHeight_ = imageHeight;
    picture_.SetImageSize(imageWidth, imageHeight);
    widths_ = PowerOfTwoSizes(imageWidth);
    heights_ = PowerOfTwoSizes(imageHeight);
    widthIndex_ = static_cast<int>(widths_.size()) - 1;
    heightIndex_ = static_cast<int>(heights_.size()) - 1;
    tracker_ = {0, 0, 0, 0};
    if (!HasSizes()) return;
    PlaceAt(RoundHalfAway(imageWidth / 2.0 - SelectedWidth() / 2.0),
            RoundHalfAway(imageHeight / 2.0 - SelectedHeight() / 2.0));
}

void FftAoiModel::SelectWidth(int index)
{
    if (index < 0 || index >= static_cast<int>(widths_.size())) return;
    widthIndex_ = index;
    if (HasSizes()) Recentre();
}

void FftAoiModel::SelectHeight(int index)
{
    if (index < 0 || index >= static_cast<int>(heights_.size())) return;
    heightIndex_ = index;
    if (HasSizes()) Recentre();
}

void FftAoiModel::Recentre()
{
    const double s = picture_.Scale();
    const int centreX = RoundHalfAway((tracker_.left + (tracker_.right - tracker_.left) / 2) / s);
    const int centreY = RoundHalfAway((tracker_.top + (tracker_.bottom - tracker_.top) / 2) / s);
    PlaceAt(RoundHalfAway(centreX - SelectedWidth() / 2.0), RoundHalfAway(centreY - SelectedHeight() / 2.0));
}

void FftAoiModel::PlaceAt(int left, int top)
{
    const int w = SelectedWidth(), h = SelectedHeight();
    left = std::max(std::min(left, imageWidth_ - w), 0);
    top = std::max(std::min(top, imageHeight_ - h), 0);
    const double s = picture_.Scale();
    tracker_ = {RoundHalfAway(left * s), RoundHalfAway(top * s), RoundHalfAway((left + w - 1) * s),
                RoundHalfAway((top + h - 1) * s)};
}

bool FftAoiModel::OnTracker(int x, int y) const
{
    return HasSizes() && x >= tracker_.left && x <= tracker_.right && y >= tracker_.top && y <= tracker_.bottom;
}

void FftAoiModel::Drop(const AoiRect& moved) { tracker_ = KeepTrackerOnPicture(tracker_, moved, picture_); }

AoiRect FftAoiModel::ImageAoi() const
{
    const int w = SelectedWidth(), h = SelectedHeight();
    const double s = picture_.Scale();
    // Rounding a corner near the right or bottom edge back to image pixels
    // can push the far corner one pixel out; the AOI must keep its size.
    const int left = std::max(std::min(RoundHalfAway(tracker_.left / s), imageWidth_ - w), 0);
    const int top = std::max(std::min(RoundHalfAway(tracker_.top / s), imageHeight_ - h), 0);
    return {left, top, left + w - 1, top + h - 1};
}
