#include "app/ImageConversion.h"

#include <cstring>

QImage ToQImage(const CImage& image)
{
    QImage out(image.width, image.height, QImage::Format_RGB888);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.pixelValueArray[y], static_cast<size_t>(image.width) * 3);
    return out;
}
