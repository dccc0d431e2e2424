// TIFF pages that only libtiff's RGBA interface decodes (old-style JPEG,
// whose codec hands out subsampled YCbCr that the interface converts).
#pragma once

#include <cstdint>
#include <tiffio.h>

#include "image/DecodedImage.h"

// Reads the first page a band of bandRows rows at a time into image as 8-bit
// RGB with a fourth byte to skip (stride 4), through buffer (width x bandRows
// x 4 bytes); false with libtiff's reason in its error handler, or in
// message (at least 1024 bytes).
bool ReadRgbaBands(TIFF* tif, std::uint32_t width, std::uint32_t height, std::uint32_t bandRows,
                   DecodedImage& image, std::uint8_t* buffer, char* message);
