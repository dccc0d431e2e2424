// The texts of each neighbourhood operation, one row per operation.
#include "processing/Neighbourhood.h"

namespace neighbourhood {

const NeighbourhoodTexts kLowPass = {
    "Size of low pass filter reset to minimum (%d).",
    "Size of low pass filter reset to maximum (%d).",
    "Size of low pass filter must be an odd number.  Low Pass Aborted.",
    "There is not enough room to apply the filter.  Low Pass Aborted.",
    "Cannot reset AOI.  Low Pass Aborted.",
    "CImage::LowPass cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kHighPass = {
    "Size of high pass filter reset to minimum (%d).",
    "Size of high pass filter reset to maximum (%d).",
    "Size of high pass filter must be an odd number.  High Pass Aborted.",
    "There is not enough room to apply the filter.  High Pass Aborted.",
    "Cannot reset AOI.  High Pass Aborted.",
    "CImage::HighPass cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kLaplace = {
    "Size of Laplace filter reset to minimum (%d).",
    "Size of Laplace filter reset to maximum (%d).",
    "Size of Laplace filter must be an odd number.  Laplace Aborted.",
    "There is not enough room to apply the filter.  Laplace Aborted.",
    "Cannot reset AOI.  Laplace Aborted.",
    "CImage::Laplace cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kUnsharpMask = {
    "Size of unsharp mask filter reset to minimum (%d).",
    "Size of unsharp mask filter reset to maximum (%d).",
    "Size of unsharp mask filter must be an odd number.  Unsharp Mask Aborted.",
    "There is not enough room to apply the filter.  Unsharp Mask Aborted.",
    "Cannot reset AOI.  Unsharp Mask Aborted.",
    "CImage::UnsharpMask cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kCustomFilter = {
    "Size of custom filter reset to minimum (%d).",
    "Size of custom filter reset to maximum (%d).",
    "Size of custom filter must be an odd number.  Custom Filter Aborted.",
    "There is not enough room to apply the filter.  Custom Filter Aborted.",
    "Cannot reset AOI.  Custom Filter Aborted.",
    "CImage::CustomFilter cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kMedianFilter = {
    "Size of median filter reset to minimum (%d).",
    "Size of median filter reset to maximum (%d).",
    "Size of median filter must be an odd number.  Median Filter Aborted.",
    "There is not enough room to apply the filter.  Median Filter Aborted.",
    "Cannot reset AOI.  Median Filter Aborted.",
    "CImage::MedianFilter cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kErosion = {
    "Size of erosion filter reset to minimum (%d).",
    "Size of erosion filter reset to maximum (%d).",
    "Size of erosion filter must be an odd number.  Erosion Aborted.",
    "There is not enough room to apply the filter.  Erosion Aborted.",
    "Cannot reset AOI.  Erosion Aborted.",
    "CImage::Erosion cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kDilation = {
    "Size of dilation filter reset to minimum (%d).",
    "Size of dilation filter reset to maximum (%d).",
    "Size of dilation filter must be an odd number.  Dilation Aborted.",
    "There is not enough room to apply the filter.  Dilation Aborted.",
    "Cannot reset AOI.  Dilation Aborted.",
    "CImage::Dilation cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kPrewitt = {
    nullptr,
    nullptr,
    nullptr,
    "There is not enough room to apply the filter.  Prewitt Aborted.",
    "Cannot reset AOI.  Prewitt Aborted.",
    "CImage::Prewitt cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kSobel = {
    nullptr,
    nullptr,
    nullptr,
    "There is not enough room to apply the filter.  Sobel Aborted.",
    "Cannot reset AOI.  Sobel Aborted.",
    "CImage::Sobel cannot allocate sufficient memory.",
};
const NeighbourhoodTexts kClean = {
    nullptr,
    nullptr,
    nullptr,
    "There is not enough room to apply the filter.  Clean Aborted.",
    "Cannot reset AOI.  Clean Aborted.",
    "CImage::Clean cannot allocate sufficient memory.",
};

}  // namespace neighbourhood
