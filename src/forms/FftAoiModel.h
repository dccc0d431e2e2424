// The frequency wizard's AOI page without its window: the power-of-two size
// lists, the tracker that places the AOI on the picture, and the AOI it gives.
#pragma once

#include <vector>

#include "forms/Measurement.h"
#include "forms/PreviewPicModel.h"

inline constexpr const char* kFftAoiTitle = "Frequency processing - select AOI for FFT";
inline constexpr const char* kFftAoiIntro =
    "To perform an FFT (Fast Fourier Transform) the area of interest width and height must be powers of two.";
inline constexpr const char* kFftAoiSelectSize = "Select a width and height";
inline constexpr const char* kFftAoiUseMouse = "Use the mouse to position the AOI";
// Shown instead of the two instructions when the lists stay empty.
inline constexpr const char* kFftAoiTooSmall =
    "The image is smaller than 8 pixels in width or height.\nNo power-of-two AOI of 8 or more pixels fits in it.";

// 8, 16, 32, ... up to the largest power of two not above dimension; empty
// below 8 and above 2^29.
std::vector<int> PowerOfTwoSizes(int dimension);

class FftAoiModel {
public:
    // The picture at the page's top-left with room for 400 x 300.
    FftAoiModel();

    // Fits the picture to the image, fills both lists, selects their largest
    // sizes and centres the tracker.
    void Open(int imageWidth, int imageHeight);
    const std::vector<int>& Widths() const { return widths_; }
    const std::vector<int>& Heights() const { return heights_; }
    // Whether both lists offer a size, so that Next can give an AOI.
    bool HasSizes() const { return !widths_.empty() && !heights_.empty(); }
    int WidthIndex() const { return widthIndex_; }
    int HeightIndex() const { return heightIndex_; }
    // Another size: the tracker keeps its centre as far as the image allows.
    void SelectWidth(int index);
    void SelectHeight(int index);

    // The tracker in picture coordinates (inclusive corners times the scale).
    const AoiRect& Tracker() const { return tracker_; }
    bool OnTracker(int x, int y) const;
    // A dropped tracker replaces the old one only when it stays on the picture.
    void Drop(const AoiRect& moved);
    // Next: the AOI in image pixels, tracker corner divided by the scale.
    AoiRect ImageAoi() const;

    const PreviewPicModel& Picture() const { return picture_; }
    PreviewPicModel& Picture() { return picture_; }

private:
    int SelectedWidth() const { return widths_[widthIndex_]; }
    int SelectedHeight() const { return heights_[heightIndex_]; }
    // A w x h rectangle with its left-top corner at (left, top) in image
    // pixels, shifted into the image, becomes the tracker.
    void PlaceAt(int left, int top);
    void Recentre();

    PreviewPicModel picture_;
    int imageWidth_ = 0, imageHeight_ = 0;
    std::vector<int> widths_, heights_;
    int widthIndex_ = -1, heightIndex_ = -1;
    AoiRect tracker_{0, 0, 0, 0};
};
