#include "document/AttributesText.h"

#include "image/Image.h"
#include "platform/Format.h"

std::string AttributesText(const std::string& path, const CImage& image)
{
    using platform::Format;
    std::string text = path.empty() ? std::string("File has not been saved yet.\n") : path + "\n\n";
    text += Format("width = %d pixels\nheight = %d pixels\n\n", image.width, image.height);
    text += Format("Image format: %s\n", FormatName(image.format));
    text += Format("Area of Interest, upper left:  (%d, %d)\n", image.aoiLeft, image.aoiTop);
    text += Format("Area of Interest, lower right:  (%d, %d)\n", image.aoiRight, image.aoiBottom);
    return text;
}
