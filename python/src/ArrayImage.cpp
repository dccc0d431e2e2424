#include "ArrayImage.h"

#include <cstring>

#include "image/DecodedImage.h"

namespace py = pybind11;

namespace nuvakpy {

ArraySamples SamplesOf(const py::array& array)
{
    // The Python side has checked dtype and shape with its own messages.
    ArraySamples samples;
    samples.height = static_cast<int>(array.shape(0));
    samples.width = static_cast<int>(array.shape(1));
    samples.colours = array.ndim() == 3 ? 3 : 1;
    samples.bits = array.itemsize() == 2 ? 16 : 8;
    if (!(array.flags() & py::array::c_style)) throw py::value_error("array must be C-contiguous");
    samples.data = array.data();
    return samples;
}

void ImageFromSamples(const ArraySamples& samples, CImage& image)
{
    const size_t rowBytes = size_t(samples.width) * size_t(samples.colours) * size_t(samples.bits / 8);
    // The array's own bytes are what a file's would be: its pixels never
    // need more than it holds.
    DecodedImage decoded("array",
                         {.width = samples.width,
                          .height = samples.height,
                          .colours = samples.colours,
                          .stride = samples.colours,
                          .bits = samples.bits},
                         std::uint64_t(rowBytes) * std::uint64_t(samples.height));
    decoded.Allocate(0);
    auto row = [&](int y) { return static_cast<const std::uint8_t*>(samples.data) + rowBytes * size_t(y); };
    if (decoded.NeedsRangePass()) {
        for (int y = 0; y < samples.height; ++y) decoded.ScanRow(row(y));
        decoded.EndRangePass();
    }
    for (int y = 0; y < samples.height; ++y) decoded.PutRow(y, row(y));
    decoded.Finish(image, FileFacts{}, FileResolution{});
    // The array's shape is its format, even when every pixel is grey.
    if (samples.colours == 3) image.ConvertToRgb();
}

py::array ArrayOf(const CImage& image)
{
    const int w = image.width, h = image.height;
    const PixelStore& pixels = image.pixelValueArray;
    if (image.format == FORMAT_GRAYSCALE) {
        py::array_t<std::uint8_t> out({h, w});
        std::uint8_t* data = out.mutable_data();
        const GreyRows* grey = pixels.HoldsGrey() ? pixels.Grey() : nullptr;
        for (int y = 0; y < h; ++y) {
            std::uint8_t* to = data + size_t(y) * size_t(w);
            if (grey) {
                std::memcpy(to, (*grey)[y], size_t(w));
                continue;
            }
            const CColorVal* row = pixels[y];
            for (int x = 0; x < w; ++x) to[x] = row[x].red;
        }
        return out;
    }
    py::array_t<std::uint8_t> out({h, w, 3});
    std::uint8_t* data = out.mutable_data();
    for (int y = 0; y < h; ++y) std::memcpy(data + size_t(y) * size_t(w) * 3, pixels[y], size_t(w) * 3);
    return out;
}

}  // namespace nuvakpy
