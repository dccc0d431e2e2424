// Pixel-by-pixel arithmetic between two images of one size and format.
#include <cstdlib>

#include "image/Image.h"

namespace {

struct Texts {
    const char* size;
    const char* format;
};

template <typename Combine>
int CombineImages(CImage& first, const CImage& second, const Texts& texts, Combine combine)
{
    if (first.width != second.width || first.height != second.height) {
        first.errorMessage = texts.size;
        return -1;
    }
    if (first.format != second.format) {
        first.errorMessage = texts.format;
        return -1;
    }
    CColorVal* a = first.pixelValueArray.data();
    const CColorVal* b = second.pixelValueArray.data();
    const size_t n = first.pixelValueArray.size();
    for (size_t i = 0; i < n; ++i) {
        a[i].red = combine(a[i].red, b[i].red);
        a[i].green = combine(a[i].green, b[i].green);
        a[i].blue = combine(a[i].blue, b[i].blue);
    }
    return 0;
}

}  // namespace

int CImage::AddImage(const CImage& other)
{
    return CombineImages(*this, other,
                         {"CImage::AddImage: Images must be the same size to Add",
                          "CImage::AddImage: Images must be the same format to Add"},
                         [](int a, int b) { return static_cast<std::uint8_t>(a + b > 255 ? 255 : a + b); });
}

int CImage::SubtractImage(const CImage& other)
{
    return CombineImages(*this, other,
                         {"CImage::SubtractImage: Images must be the same size to Subtract",
                          "CImage::SubtractImage: Images must be the same format to Subtract"},
                         [](int a, int b) { return static_cast<std::uint8_t>(a > b ? a - b : 0); });
}

int CImage::AbsoluteDifference(const CImage& other)
{
    return CombineImages(*this, other,
                         {"CImage::AbsoluteDifference: Images must be the same size",
                          "CImage::AbsoluteDifference: Images must be the same format"},
                         [](int a, int b) { return static_cast<std::uint8_t>(std::abs(a - b)); });
}

int CImage::MultiplyImage(const CImage& other)
{
    return CombineImages(*this, other,
                         {"CImage::MultiplyImage: Images must be the same size to Multiply",
                          "CImage::MultiplyImage: Images must be the same format to Multiply"},
                         [](int a, int b) { return static_cast<std::uint8_t>(a * b < 256 ? a * b : 255); });
}

int CImage::DivideImage(const CImage& other)
{
    return CombineImages(*this, other,
                         {"CImage::DivideImage: Images must be the same size to Divide",
                          "CImage::DivideImage: Images must be the same format to Divide"},
                         [](int a, int b) { return static_cast<std::uint8_t>(b != 0 ? a / b : 0); });
}
