// The difference between an image and a morphological result computed on a
// private copy, shared by outline, gradient, peak and valley detection.
#pragma once

#include "image/Image.h"
#include "platform/UserInterface.h"

namespace morphology {

struct DifferenceTexts {
    const char* stepFailed;  // replaces the image's error text
    const char* appended;    // added to the text of a failing second step
};

extern const DifferenceTexts kOutline, kGradient, kPeakDetector, kValleyDetector;

// Runs step on a copy of the image; on success the image takes the copy's
// AOI and second(image, copy) runs on the image itself. 0 or -1.
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

}  // namespace morphology
