#include "ArrayImage.h"

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

py::array ArrayOf(CImage& image)
{
    const py::ssize_t w = image.width, h = image.height;
    // The pixels move into an owner that numpy frees with the array.
    auto* pixels = new PixelStore(std::move(image.pixelValueArray));
    const py::capsule owner(pixels, [](void* p) { delete static_cast<PixelStore*>(p); });
    auto row = [pixels](int y) { return reinterpret_cast<std::uint8_t*>((*pixels)[y]); };
    if (image.format != FORMAT_GRAYSCALE)
        return py::array_t<std::uint8_t>({h, w, py::ssize_t(3)}, {row(1) - row(0), py::ssize_t(3), py::ssize_t(1)},
                                         row(0), owner);
    // A grey image's pixels are grey: the plane is all that stays.
    if (GreyRows* grey = pixels->WritableGrey())
        return py::array_t<std::uint8_t>({h, w}, {(*grey)[1] - (*grey)[0], py::ssize_t(1)}, (*grey)[0], owner);
    // One that is not gives its red, as it always has.
    return py::array_t<std::uint8_t>({h, w}, {row(1) - row(0), py::ssize_t(3)}, row(0), owner);
}

}  // namespace nuvakpy
