// JPEG files made in memory by libjpeg, for the tests and the fuzz seeds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <vector>

// width x height pixels of 1 (grey), 3 (RGB) or 4 (CMYK) components, each
// sample(x, y, c); configure runs after libjpeg's defaults, markers after
// the compression has started (where APP markers are written).
std::vector<std::uint8_t> LibjpegFile(int width, int height, int components,
                                      const std::function<int(int, int, int)>& sample,
                                      const std::function<void(jpeg_compress_struct&)>& configure = {},
                                      const std::function<void(jpeg_compress_struct&)>& markers = {});
