// Outline, gradient, peak and valley detection and their texts.
#include <algorithm>

#include "image/Image.h"
#include "processing/MorphologyDifference.h"

namespace morphology {

const DifferenceTexts kOutline = {"Outline aborted", "\nOutline aborted"};
const DifferenceTexts kGradient = {"Morphological Gradient aborted", "\nMorphological Gradient aborted"};
const DifferenceTexts kPeakDetector = {"Peak Detector aborted", "\nPeak Detector aborted"};
const DifferenceTexts kValleyDetector = {"Valley Detector aborted", "\nValley Detector aborted"};

}  // namespace morphology

using namespace morphology;

int CImage::Outline(int size, int direction)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Erosion(size, direction); },
        [](CImage& image, const CImage& eroded) { return image.SubtractImage(eroded); },
        kOutline);
}

int CImage::MorphologicalGradient(int size, int direction)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Erosion(size, direction); },
        [&](CImage& image, const CImage& eroded) {
            // The erosion has settled the size and shown any notice.
            if (image.Dilation(std::clamp(size, 3, 9), direction) != 0) return -1;
            return image.SubtractImage(eroded);
        },
        kGradient);
}

int CImage::PeakDetector(int size, int direction, int repetitions)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Opening(size, direction, repetitions); },
        [](CImage& image, const CImage& opened) { return image.SubtractImage(opened); },
        kPeakDetector);
}

int CImage::ValleyDetector(int size, int direction, int repetitions)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Closing(size, direction, repetitions); },
        [](CImage& image, const CImage& closed) { return image.AbsoluteDifference(closed); },
        kValleyDetector);
}
