// An image's calibration and the resolution it is written with.
#include "image/Image.h"

#include <tuple>

void CImage::SetCalibration(const CCalibration& pixelSize)
{
    calibration = pixelSize;
    std::tie(xPixelsPerMetre, yPixelsPerMetre) = PixelsPerMetre(pixelSize);
}

void CImage::TakeResolution(const FileResolution& resolution)
{
    if (resolution.named.Calibrated()) {
        SetCalibration(resolution.named);
        return;
    }
    xPixelsPerMetre = resolution.xPixelsPerMetre;
    yPixelsPerMetre = resolution.yPixelsPerMetre;
    calibration = CalibrationFromResolution(xPixelsPerMetre, yPixelsPerMetre);
}
