// The Attributes text and the file facts.
#include "document/AttributesText.h"

#include "image/Image.h"
#include "platform/Format.h"

namespace {

std::string ResolutionText(const CImage& image)
{
    return platform::Format("Resolution: %.0f x %.0f pixels per metre (%.1f x %.1f dpi)", image.xPixelsPerMetre,
                            image.yPixelsPerMetre, image.xPixelsPerMetre * 0.0254, image.yPixelsPerMetre * 0.0254);
}

}  // namespace

std::string AttributesText(const std::string& path, const CImage& image)
{
    using platform::Format;
    std::string text = path.empty() ? std::string("File has not been saved yet.\n") : path + "\n\n";
    text += Format("width = %d pixels\nheight = %d pixels\n\n", image.width, image.height);
    text += Format("Image format: %s\n", FormatName(image.format));
    text += Format("Area of Interest, upper left:  (%d, %d)\n", image.aoiLeft, image.aoiTop);
    text += Format("Area of Interest, lower right:  (%d, %d)\n", image.aoiRight, image.aoiBottom);
    if (image.xPixelsPerMetre > 0 || image.yPixelsPerMetre > 0)
        text += ResolutionText(image) + "\n";
    // Only a calibrated image says so: the text of the others stays as it was.
    if (image.calibration.Calibrated()) text += CalibrationText(image.calibration) + "\n";
    return text;
}

std::string FileFactsText(const CImage& image)
{
    using platform::Format;
    const FileFacts& f = image.fileFacts;
    std::string text = Format("\nFile format: %s\n", FileFormatName(f.format));
    text += Format("Bit depth: %d bits per sample, %d sample%s per pixel\n", f.bitsPerSample, f.samplesPerPixel,
                   f.samplesPerPixel == 1 ? "" : "s");
    text += Format("Pages: %d\n", f.pages);
    // A known resolution and a calibration are in the Attributes text already.
    if (image.xPixelsPerMetre <= 0 && image.yPixelsPerMetre <= 0) text += "Resolution: unknown\n";
    if (!image.calibration.Calibrated()) text += CalibrationText(image.calibration) + "\n";
    return text;
}
