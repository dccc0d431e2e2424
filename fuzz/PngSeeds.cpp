#include <png.h>

#include "ReaderSeeds.h"

namespace {

void Append(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}

// A width x height image of the colour type and depth with a pattern of samples.
std::string Png(int width, int height, int colourType, int bits, bool interlaced, bool transparent)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::string();
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bits, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    const int levels = 1 << bits;
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int k = 0; k < levels; ++k)
            palette.push_back({png_byte(k * 37), png_byte(255 - k * 11), png_byte(k * 5)});
        png_set_PLTE(png, info, palette.data(), levels);
        if (transparent) {
            for (int k = 0; k < levels; ++k) alphas.push_back(png_byte(k * 255 / (levels - 1)));
            png_set_tRNS(png, info, alphas.data(), levels, nullptr);
        }
    } else if (transparent && !(colourType & PNG_COLOR_MASK_ALPHA)) {
        png_color_16 colour{0, png_uint_16(1), png_uint_16(1), png_uint_16(1), png_uint_16(1)};
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_set_pHYs(png, info, 3780, 2835, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_byte> row(rowBytes);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) {
            for (size_t i = 0; i < rowBytes; ++i) row[i] = png_byte((i * 29 + y * 53 + channels) & 0xFF);
            png_write_row(png, row.data());
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

std::vector<std::string> PngSeedFiles()
{
    struct Kind {
        int colourType;
        std::vector<int> depths;
    };
    const Kind kinds[] = {
        {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}},       {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
        {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},        {PNG_COLOR_TYPE_RGB, {8, 16}},
        {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}},
    };
    std::vector<std::string> files;
    for (const Kind& kind : kinds)
        for (int bits : kind.depths)
            for (bool interlaced : {false, true})
                for (bool transparent : {false, true}) {
                    if (transparent && (kind.colourType & PNG_COLOR_MASK_ALPHA)) continue;
                    files.push_back(Png(interlaced ? 11 : 6, 5, kind.colourType, bits, interlaced, transparent));
                }
    // 16-bit data of 64 KB and more is inflated whole, another path.
    files.push_back(Png(200, 170, PNG_COLOR_TYPE_GRAY, 16, false, false));
    files.push_back(Png(200, 60, PNG_COLOR_TYPE_RGB, 16, false, false));
    return files;
}
