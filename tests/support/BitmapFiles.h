// Writing and reading bitmap files in tests, failing the test on any error.
#pragma once

#include <string>

#include "image/Image.h"

void SaveBitmap(CImage& image, const std::string& path);
CImage LoadBitmap(const std::string& path);
