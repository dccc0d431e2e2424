// What a TIFF file's own bytes can hold: its first page is refused before
// anything is allocated when it declares more samples or pixels than its
// strips or tiles could decode to.
#pragma once

#include <cstdint>
#include <string>
#include <tiffio.h>

// Extra samples (alpha, further channels) read past the colours and dropped.
constexpr int kTiffExtraSamples = 4;

// Empty when the page's strips or tiles, as far as they lie inside a file of
// fileBytes, could expand to its declared size under its compression; else
// the reason.
std::string TiffDataShortfall(TIFF* tif, std::uint64_t fileBytes);
