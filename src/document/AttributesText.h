// The text of the Attributes command: path, size, format and AOI.
#pragma once

#include <string>

class CImage;

// path empty means the document has not been saved yet.
std::string AttributesText(const std::string& path, const CImage& image);
