#include "support/LibjpegFiles.h"

#include <cstdlib>

std::vector<std::uint8_t> LibjpegFile(int width, int height, int components,
                                      const std::function<int(int, int, int)>& sample,
                                      const std::function<void(jpeg_compress_struct&)>& configure,
                                      const std::function<void(jpeg_compress_struct&)>& markers)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &bytes, &length);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    if (configure) configure(info);
    jpeg_start_compress(&info, TRUE);
    if (markers) markers(info);
    std::vector<JSAMPLE> row(size_t(width) * components);
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c) row[size_t(x) * components + c] = JSAMPLE(sample(x, y, c));
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(bytes, bytes + length);
    std::free(bytes);
    return out;
}
