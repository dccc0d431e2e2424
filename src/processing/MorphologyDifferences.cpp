// Outline, gradient, peak and valley detection: the difference between the
// image and a morphological result computed on a private copy.
#include <algorithm>

#include "image/Image.h"
#include "platform/UserInterface.h"

namespace {

struct DifferenceTexts {
    const char* stepFailed;  // replaces the image's error text
    const char* appended;    // added to the text of a failing second step
};

// second(image, copy) runs on the image itself with the copy's AOI.
template <typename Step, typename Second>
int Difference(CImage& image, Step step, Second second, const DifferenceTexts& texts)
{
    CImage copy = image;
    if (step(copy) != 0) {
        platform::error(copy.errorMessage);
        image.errorMessage = texts.stepFailed;
        return -1;
    }
    image.aoiLeft = copy.aoiLeft;
    image.aoiTop = copy.aoiTop;
    image.aoiRight = copy.aoiRight;
    image.aoiBottom = copy.aoiBottom;
    if (second(image, copy) != 0) {
        image.errorMessage += texts.appended;
        return -1;
    }
    return 0;
}

}  // namespace

int CImage::Outline(int size, int direction)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Erosion(size, direction); },
        [](CImage& image, const CImage& eroded) { return image.SubtractImage(eroded); },
        {"Outline aborted", "\nOutline aborted"});
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
        {"Morphological Gradient aborted", "\nMorphological Gradient aborted"});
}

int CImage::PeakDetector(int size, int direction, int repetitions)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Opening(size, direction, repetitions); },
        [](CImage& image, const CImage& opened) { return image.SubtractImage(opened); },
        {"Peak Detector aborted", "\nPeak Detector aborted"});
}

int CImage::ValleyDetector(int size, int direction, int repetitions)
{
    return Difference(
        *this, [&](CImage& copy) { return copy.Closing(size, direction, repetitions); },
        [](CImage& image, const CImage& closed) { return image.AbsoluteDifference(closed); },
        {"Valley Detector aborted", "\nValley Detector aborted"});
}
