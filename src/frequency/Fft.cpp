// The image's forward and inverse transforms and the power-of-two test they
// share.
#include <new>
#include <vector>

#include "frequency/DataArray.h"
#include "frequency/FftTransform.h"
#include "frequency/GreyValues.h"
#include "image/Image.h"
#include "platform/UserInterface.h"

namespace {

// The floor of log2(side); false when a value met while halving is odd.
bool ExponentOf(int side, int& exponent)
{
    bool power = true;
    exponent = 0;
    for (; side > 1; side /= 2, ++exponent)
        if (side % 2 != 0) power = false;
    return power;
}

// Runs Fft2D over dataArray; false when its working memory cannot be had.
bool TransformDataArray(CImage& image, int heightExponent, int widthExponent, int direction,
                        const Fft2DRows& beforeRows, const std::uint8_t* const* levelRows = nullptr,
                        std::uint8_t* const* magnitudeRows = nullptr)
{
    try {
        Fft2D(image.dataArray.data(), heightExponent, widthExponent, image.dataArray.stride(), direction, beforeRows,
              levelRows,
              magnitudeRows);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

bool CImage::PowerOfTwoDimensions(int& heightExponent, int& widthExponent) const
{
    if (height <= 0 || width <= 0) return false;
    const bool heightPower = ExponentOf(height, heightExponent);
    const bool widthPower = ExponentOf(width, widthExponent);
    return heightPower && widthPower;
}

int CImage::Fft()
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::Fft() only defined on grayscale images";
        return -1;
    }
    const char* const notPowers = "Can't perform FFT on image whose dimensions are not powers of 2";
    int heightExponent = 0, widthExponent = 0;
    if (IsEmpty()) {
        errorMessage = notPowers;
        return -1;
    }
    if (!PowerOfTwoDimensions(heightExponent, widthExponent)) {
        if (!platform::askYesNo("Image width and height must be powers of 2.\nAutosize image?")) {
            errorMessage = notPowers;
            return -1;
        }
        const int newWidth = 1 << widthExponent;
        const int newHeight = 1 << heightExponent;
        const int left = width / 2 - newWidth / 2;
        const int top = height / 2 - newHeight / 2;
        if (Crop(left, top, left + newWidth - 1, top + newHeight - 1) != 0) return -1;
    }

    const char* const noMemory = "CImage::Fft() aborted:  failed to allocate memory.";
    // The row pass gives every value its level before anything reads it.
    if (!PrepareDataArray(*this, true)) {
        errorMessage = noMemory;
        return -1;
    }
    // The row pass reads the grey plane when the image holds one; otherwise
    // the rows take the grey levels just before the row pass reads them.
    const GreyRows* plane = pixelValueArray.HoldsGrey() ? pixelValueArray.Grey() : nullptr;
    std::vector<const std::uint8_t*> planeRows;
    const PixelStore& pixels = pixelValueArray;
    const auto levels = [&](int first, int last) {
        for (int y = first; y < last; ++y) LevelsToValues(pixels[y], width, dataArray[y]);
    };
    bool done = false;
    try {
        if (plane)
            for (int y = 0; y < height; ++y) planeRows.push_back((*plane)[y]);
        done = TransformDataArray(*this, heightExponent, widthExponent, FFT_FORWARD, plane ? Fft2DRows() : levels,
                                  plane ? planeRows.data() : nullptr);
    } catch (const std::bad_alloc&) {
    }
    if (!done) {
        errorMessage = noMemory;
        return -1;
    }
    return FftForDisplay();
}

int CImage::FftInverse()
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::FftInverse() only defined on grayscale images";
        return -1;
    }
    int heightExponent = 0, widthExponent = 0;
    if (!PowerOfTwoDimensions(heightExponent, widthExponent)) {
        errorMessage =
            "CImage::FftInverse() can't perform Inverse FFT on area whose dimensions are not powers of 2.";
        return -1;
    }
    const char* const noMemory = "CImage::FftInverse() aborted:  failed to allocate memory.";
    // Every pixel is replaced, by a grey one: a new grey plane, written whole
    // by the transform.
    GreyRows plane;
    std::vector<std::uint8_t*> planeRows;
    try {
        plane.AllocateUnfilled(width, height);
        for (int y = 0; y < height; ++y) planeRows.push_back(plane[y]);
    } catch (const std::bad_alloc&) {
        errorMessage = noMemory;
        return -1;
    }
    if (!PrepareDataArray(*this) ||
        !TransformDataArray(*this, heightExponent, widthExponent, FFT_INVERSE, {}, nullptr, planeRows.data())) {
        errorMessage = noMemory;
        return -1;
    }
    pixelValueArray = std::move(plane);
    return 0;
}
