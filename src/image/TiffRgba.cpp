#include "image/TiffRgba.h"

#include <algorithm>

bool ReadRgbaBands(TIFF* tif, std::uint32_t width, std::uint32_t height, std::uint32_t bandRows,
                   DecodedImage& image, std::uint8_t* buffer, char* message)
{
    TIFFRGBAImage rgba{};
    if (!TIFFRGBAImageOK(tif, message) || !TIFFRGBAImageBegin(&rgba, tif, 0, message)) return false;
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    // Red, green, blue, alpha bytes in memory order.
    auto* raster = reinterpret_cast<std::uint32_t*>(buffer);
    bool ok = true;
    for (std::uint32_t y0 = 0; y0 < height && ok; y0 += bandRows) {
        const std::uint32_t rows = std::min(bandRows, height - y0);
        rgba.row_offset = static_cast<int>(y0);
        rgba.col_offset = 0;
        ok = TIFFRGBAImageGet(&rgba, raster, width, rows) != 0;
        for (std::uint32_t r = 0; r < rows && ok; ++r)
            image.PutRow(static_cast<int>(y0 + r), buffer + std::size_t(r) * width * 4);
    }
    TIFFRGBAImageEnd(&rgba);
    return ok;
}
