// Between numpy arrays and images: a grey image is (H, W) uint8, a colour one
// (H, W, 3) uint8 in R, G, B order. Arrays come in C-contiguous; 16-bit ones
// go through the readers' rule for 16-bit samples.
#pragma once

#include <pybind11/numpy.h>

#include "image/Image.h"

namespace nuvakpy {

// Samples of one array, taken under the GIL and read without it while the
// caller holds the array.
struct ArraySamples {
    const void* data = nullptr;
    int width = 0;
    int height = 0;
    int colours = 1;
    int bits = 8;
};

ArraySamples SamplesOf(const pybind11::array& array);
// Fills image as a reader would, a 3-D array as RGB even when it is all
// grey; raises platform::UserAbort with the reason shown.
void ImageFromSamples(const ArraySamples& samples, CImage& image);
// The image's pixels as an array, without a copy: the array takes them
// over and the image is left without pixels. Needs the GIL.
pybind11::array ArrayOf(CImage& image);

}  // namespace nuvakpy
