// CImage lifecycle: release, blank, copy from a colour buffer, assignment, crop.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "image/Image.h"
#include "platform/UserInterface.h"

namespace {

const char* const kAssignFailed = "Could not allocate memory to perform assignment";

}  // namespace

const char* FormatName(int format)
{
    switch (format) {
    case FORMAT_RGB: return "RGB";
    case FORMAT_GRAYSCALE: return "GRAYSCALE";
    default: return "UNKNOWN";
    }
}

void CImage::ReleaseStorage()
{
    pixelValueArray.Release();
    aoiLeft = aoiTop = aoiRight = aoiBottom = 0;
    dataArray.Release();
    errorMessage.clear();
    height = 0;
    objects.clear();
    width = 0;
}

void CImage::SetWholeAoi()
{
    aoiLeft = 0;
    aoiTop = 0;
    aoiRight = width - 1;
    aoiBottom = height - 1;
}

bool CImage::NewStorage(int w, int h, int newFormat, const char* failure)
{
    ReleaseStorage();
    try {
        if (w < 0 || h < 0) throw std::bad_alloc();
        pixelValueArray.Allocate(w, h);
    } catch (const std::exception&) {
        ReleaseStorage();
        errorMessage = failure;
        return false;
    }
    width = w;
    height = h;
    format = newFormat;
    SetWholeAoi();
    return true;
}

int CImage::BlankImage(int w, int h, CColorVal fill)
{
    if (!NewStorage(w, h, FORMAT_RGB, "BlankImage() aborted;  unable to allocate memory for pixelValueArray."))
        return -1;
    std::fill_n(pixelValueArray.data(), pixelValueArray.size(), fill);
    return 0;
}

void CImage::PasteColorRefs(int w, int h, const std::uint32_t* const* rows, int left, int top)
{
    for (int i = 0; i < h; ++i) {
        CColorVal* dst = pixelValueArray[top + i] + left;
        for (int j = 0; j < w; ++j) {
            dst[j] = FromColorRef(rows[i][j]);
            if (!dst[j].IsGrey()) format = FORMAT_RGB;
        }
    }
}

int CImage::CopyFromBuffer(int w, int h, const std::uint32_t* const* rows, bool replace)
{
    if (!replace && width >= w && height >= h) {
        const int left = width / 2 - w / 2;
        const int top = height / 2 - h / 2;
        PasteColorRefs(w, h, rows, left, top);
        aoiLeft = left;
        aoiTop = top;
        aoiRight = left + w - 1;
        aoiBottom = top + h - 1;
        return 0;
    }
    if (!NewStorage(w, h, FORMAT_GRAYSCALE,
                    "CImage::CopyFromBuffer() aborted;  unable to allocate memory for pixelValueArray."))
        return -1;
    PasteColorRefs(w, h, rows, 0, 0);
    return 0;
}

CImage& CImage::operator=(const CImage& source)
{
    if (this == &source) return *this;

    PixelStore pixels;
    try {
        pixels = source.pixelValueArray;
    } catch (const std::exception&) {
        platform::abortWith(kAssignFailed);
    }

    ReleaseStorage();
    aoiLeft = source.aoiLeft;
    aoiTop = source.aoiTop;
    aoiRight = source.aoiRight;
    aoiBottom = source.aoiBottom;
    errorMessage = source.errorMessage;
    height = source.height;
    width = source.width;
    redHistogram = source.redHistogram;
    greenHistogram = source.greenHistogram;
    blueHistogram = source.blueHistogram;
    format = source.format;
    objectColor = source.objectColor;
    calibration = source.calibration;
    fileFacts = source.fileFacts;
    xPixelsPerMetre = source.xPixelsPerMetre;
    yPixelsPerMetre = source.yPixelsPerMetre;
    pixelValueArray = std::move(pixels);

    try {
        dataArray = source.dataArray;
    } catch (const std::exception&) {
        ReleaseStorage();
        errorMessage = kAssignFailed;
        throw platform::UserAbort();
    }
    return *this;
}

int CImage::Crop(int left, int top, int right, int bottom)
{
    const int newHeight = std::abs(bottom - top) + 1;
    const int newWidth = std::abs(right - left) + 1;
    // The form held is kept: a grey plane is cropped as one.
    auto cropped = [&](const auto& from, auto rows) {
        rows.AllocateUnfilled(newWidth, newHeight);
        for (int i = 0; i < newHeight; ++i)
            std::memcpy(rows[i], from[top + i] + left, static_cast<size_t>(newWidth) * sizeof(*rows[i]));
        return rows;
    };
    PixelStore pixels;
    try {
        if (pixelValueArray.HoldsGrey())
            pixels = cropped(*std::as_const(pixelValueArray).Grey(), GreyRows());
        else
            pixels = cropped(std::as_const(pixelValueArray), PixelRows());
    } catch (const std::exception&) {
        errorMessage = "CImage::Crop() aborted:  could not allocate memory.";
        return -1;
    }

    ReleaseStorage();
    pixelValueArray = std::move(pixels);
    height = newHeight;
    width = newWidth;
    SetWholeAoi();
    return 0;
}
