// A copy of the image with the stored objects' outlines drawn into its pixels,
// for users who cannot see the display.
#include "image/Image.h"

CImage CImage::ObjectOverlay() const
{
    CImage overlay = *this;
    // A grayscale file would lose the outline colour.
    overlay.format = FORMAT_RGB;
    const CColorVal colour = FromColorRef(objectColor);
    for (const CFoundObject& object : objects)
        for (const CBoundaryPoint& point : object.boundaryPoints) overlay.pixelValueArray[point.y][point.x] = colour;
    return overlay;
}
