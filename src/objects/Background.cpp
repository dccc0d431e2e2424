// Background detection: black or white, from the AOI's left column and top row.
#include "image/Image.h"
#include "platform/UserInterface.h"

namespace {

const char* const kBlackBackground = "Detected LIGHT objects on a BLACK background.\nIs this correct?";
const char* const kWhiteBackground = "Detected DARK objects on a WHITE background.\nIs this correct?";

}  // namespace

int CImage::DetectBackground()
{
    int light = 0;
    int dark = 0;
    auto count = [&](const CColorVal& pixel) { (pixel.Luminance() >= 128 ? light : dark) += 1; };
    const PixelStore& pixels = pixelValueArray;  // reading only: a grey plane stays
    for (int y = aoiTop; y <= aoiBottom; ++y) count(pixels[y][aoiLeft]);
    for (int x = aoiLeft; x <= aoiRight; ++x) count(pixels[aoiTop][x]);

    const char* const question = light < dark ? kBlackBackground : kWhiteBackground;
    return *BackgroundAnswered(question, platform::askYesNo(question));
}

std::optional<int> CImage::BackgroundAnswered(const std::string& question, bool yes)
{
    if (question == kBlackBackground) return yes ? 0 : 255;
    if (question == kWhiteBackground) return yes ? 255 : 0;
    return std::nullopt;
}
