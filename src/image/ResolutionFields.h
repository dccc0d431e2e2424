// Resolution as the file formats' own fields hold it: whole dots per inch,
// JPEG's 16-bit density, EXIF's resolution tags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

// The resolution as a whole number of dots per inch (within 1e-6), or 0.
double WholeDotsPerInch(double pixelsPerMetre);

// A JFIF density: unit 1 dots per inch, 2 dots per cm, 0 none.
struct JpegDensity {
    int unit = 0;
    int x = 0;
    int y = 0;
};
// Dots per inch when both are whole numbers of them, else the unit that
// holds them closer; false (and no density) when neither holds them within
// 0.1 %. A resolution that is not known is no density, and true.
bool DensityFor(double xPixelsPerMetre, double yPixelsPerMetre, JpegDensity& density);

// The resolution in pixels per metre that an EXIF block (the TIFF structure
// after "Exif\0\0") gives in its first directory; 0, 0 when it gives none.
std::pair<double, double> ExifResolution(const std::uint8_t* data, std::size_t size);
