// Which commands the active image allows: any image, RGB only, grayscale
// only, found objects present, and the zoom limits.
#include "document/CommandEnabling.h"

#include <algorithm>
#include <array>

#include "document/CommandIds.h"
#include "image/Image.h"

namespace enabling {
namespace {

constexpr std::array kAnyImage = {
    cmd::Attributes, cmd::ExtractRgb, cmd::Add,      cmd::Subtract,   cmd::AbsoluteDifference,
    cmd::Multiply,   cmd::Divide,     cmd::Crop,     cmd::Invert,     cmd::Comb,
    cmd::Threshold,  cmd::HighPass,   cmd::LowPass,  cmd::UnsharpMask, cmd::Laplace,
    cmd::Prewitt,    cmd::Sobel,      cmd::Bound,    cmd::Histogram,  cmd::FindObjects,
    cmd::FlipHorizontal, cmd::FlipVertical, cmd::Rotate, cmd::Scale, cmd::CustomFilter, cmd::SetScale,
};

constexpr std::array kGrayscaleOnly = {
    cmd::Rgb,     cmd::Median,  cmd::Clean,   cmd::BrightnessSlice, cmd::Erosion,
    cmd::Dilation, cmd::Opening, cmd::Closing, cmd::Outline,        cmd::Gradient,
    cmd::PeakDetector, cmd::ValleyDetector, cmd::FrequencyDomain,
};

template <typename List>
bool Contains(const List& list, int id)
{
    return std::find(list.begin(), list.end(), id) != list.end();
}

}  // namespace

// Zoom In stops once the factor passes 32, so 64 is reached and no more.
bool CanZoomIn(float zoom) { return !(zoom > 32.0f); }
bool CanZoomOut(float zoom) { return zoom > 0.03f; }
bool CanZoomOneToOne(float zoom) { return zoom != 1.0f; }

bool FrameGoverns(int id)
{
    return Contains(kAnyImage, id) || Contains(kGrayscaleOnly, id) || id == cmd::Grayscale ||
           id == cmd::ClearObjects || id == cmd::ZoomIn || id == cmd::ZoomOut || id == cmd::Zoom1to1 ||
           id == cmd::FitToWindow;
}

bool FrameAllows(int id, const CImage* active, float zoom)
{
    if (!FrameGoverns(id)) return true;
    if (active == nullptr) return false;
    if (Contains(kAnyImage, id)) return true;
    if (Contains(kGrayscaleOnly, id)) return active->format == FORMAT_GRAYSCALE;
    switch (id) {
    case cmd::Grayscale: return active->format == FORMAT_RGB;
    case cmd::ClearObjects: return active->ObjectCount() > 0;
    case cmd::ZoomIn: return CanZoomIn(zoom);
    case cmd::ZoomOut: return CanZoomOut(zoom);
    case cmd::FitToWindow: return true;
    default: return CanZoomOneToOne(zoom);
    }
}

}  // namespace enabling
