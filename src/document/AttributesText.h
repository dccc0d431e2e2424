// The text of the Attributes command: path, size, format, AOI and, when
// known, resolution; and the file facts nuvak-cli info adds.
#pragma once

#include <string>

class CImage;

// path empty means the document has not been saved yet.
std::string AttributesText(const std::string& path, const CImage& image);
// What the image was read from: format, bit depth, pages, and that the
// resolution is unknown or the image not calibrated (when the Attributes
// text does not show them).
std::string FileFactsText(const CImage& image);
