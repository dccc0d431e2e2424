// Reading an image file in a test under a chosen 16-bit rule, with what the
// user was shown.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

struct ImageRead {
    bool refused = false;  // the silent abort after an error
    int rc = 0;
    std::string message;
    CImage image;
    std::vector<std::string> notices;
    std::vector<std::string> errors;
};

ImageRead ReadImageFile(const std::string& path, const SampleRange& range = {});
// The exact 8-bit value of a 16-bit level under lo..hi, computed in doubles.
int MappedLevel(int v, int lo, int hi);
// Writes one row of 16-bit grey levels as a PNG file through libpng.
void WriteGreyPng16(const std::string& path, const std::vector<std::uint16_t>& row);
