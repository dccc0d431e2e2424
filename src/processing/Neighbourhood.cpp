// Size rules and the room check shared by the neighbourhood operations.
#include "processing/Neighbourhood.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace neighbourhood {

using platform::Format;

int SettleSize(CImage& image, int& n, const NeighbourhoodTexts& texts)
{
    if (n < 3) {
        n = 3;
        platform::notice(Format(texts.minimum, n));
    } else if (n > 9) {
        n = 9;
        platform::notice(Format(texts.maximum, n));
    }
    if (n % 2 == 0) {
        image.errorMessage = texts.even;
        return -1;
    }
    return 0;
}

int MakeRoom(CImage& image, int n, const NeighbourhoodTexts& texts)
{
    const int half = n / 2;
    const int lastX = image.width - half - 1;
    const int lastY = image.height - half - 1;
    if (image.aoiLeft >= half && image.aoiTop >= half && image.aoiRight <= lastX && image.aoiBottom <= lastY)
        return 0;
    const std::string question = Format(
        "The current filter size is %dx%d.\nThe current image size is %dx%d.\n"
        "The currently selected area of interest is (%d, %d) to (%d, %d).\n"
        "There is not enough room for the selected filter to be applied to the current area of interest.\n\n"
        "Do you want to reduce the area of interest to make room to apply the filter?",
        n, n, image.width, image.height, image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom);
    if (!platform::askYesNo(question)) {
        image.errorMessage = texts.noRoom;
        return -1;
    }
    const int left = std::max(image.aoiLeft, half);
    const int top = std::max(image.aoiTop, half);
    const int right = std::min(image.aoiRight, lastX);
    const int bottom = std::min(image.aoiBottom, lastY);
    // A single row or column is refused as well: the AOI must stay wider and
    // taller than one pixel.
    if (!(left < right && top < bottom)) {
        image.errorMessage = texts.cannotShrink;
        return -1;
    }
    image.aoiLeft = left;
    image.aoiTop = top;
    image.aoiRight = right;
    image.aoiBottom = bottom;
    return 0;
}

int Prepare(CImage& image, int& n, const NeighbourhoodTexts& texts)
{
    if (SettleSize(image, n, texts) != 0) return -1;
    return MakeRoom(image, n, texts);
}

}  // namespace neighbourhood
