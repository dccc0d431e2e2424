// The frequency wizard's processing page without its window: the filter
// type, the size slider, the custom ellipse dragged with the mouse and the
// picture pixels marked for deletion.
#pragma once

#include <array>
#include <optional>

#include "forms/PreviewPicModel.h"
#include "frequency/FilterEllipse.h"

inline constexpr const char* kFftProcessingTitle = "Frequency processing - delete desired frequencies";
inline constexpr const char* kFftProcessingIntro =
    "Processing in the Frequency domain can remove specific frequencies from an image.";
inline constexpr const char* kFftProcessingSelect =
    "Select filter type and set size with slider or mouse (for custom filters)";
inline constexpr const char* kFftProcessingApply =
    "Press Apply to remove the desired frequencies (applies to original image)";
// The radio buttons in filter type order.
inline constexpr std::array<const char*, 3> kFftFilterNames = {"High Pass", "Low Pass", "Custom"};

enum FftFilterType { kFilterHighPass, kFilterLowPass, kFilterCustom };

struct PicturePoint {
    int x, y;
};

class FftProcessingModel {
public:
    // Two boxes of 300 x 225: the spectrum at the top-left, the result 310
    // pixels further right.
    FftProcessingModel();

    int filterType = kFilterLowPass;
    int sliderPosition = 100;

    bool SliderEnabled() const { return filterType != kFilterCustom; }
    // Low pass deletes outside the ellipse, the others inside it.
    bool DeletesOutside() const { return filterType == kFilterLowPass; }

    // The custom drag, in coordinates of the spectrum picture. A press
    // starts it only inside the picture while Custom is chosen.
    bool BeginDrag(PicturePoint at);
    // Points outside the picture leave the current corner where it was.
    void DragTo(PicturePoint at);
    bool Dragging() const { return start_.x != -1; }
    // The rubber band from the start to the current corner, when the current
    // corner lies right of and below the start.
    std::optional<FilterEllipse> RubberBand() const;
    // The new ellipse in spectrum pixels of a width x height spectrum when
    // the release lies right of and below the start; the drag ends anyway.
    std::optional<FilterEllipse> EndDrag(PicturePoint at, int width, int height);

    // The ellipse box in picture coordinates, corners times the scale.
    FilterEllipse ToPicture(const FilterEllipse& ellipse) const;
    // Whether the spectrum picture's pixel (x, y) shows a frequency the
    // filter deletes with the ellipse given in spectrum pixels.
    bool Marked(const FilterEllipse& ellipse, int x, int y) const;

    const PreviewPicModel& Spectrum() const { return spectrum_; }
    PreviewPicModel& Spectrum() { return spectrum_; }
    const PreviewPicModel& Result() const { return result_; }
    PreviewPicModel& Result() { return result_; }

private:
    bool OnPicture(PicturePoint at) const;

    PreviewPicModel spectrum_, result_;
    PicturePoint start_{-1, -1}, current_{-1, -1};
};
