// Rows of decoded samples into a fresh image, and the refusals all readers share.
#include "image/DecodedImage.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "image/Image.h"
#include "platform/Format.h"
#include "platform/Memory.h"
#include "platform/ParallelRows.h"
#include "platform/UserInterface.h"
#include "platform/VectorClones.h"

using platform::Format;

void RefuseImage(const std::string& path, const std::string& reason)
{
    platform::abortWith(Format("Failed to read image %s.\n%s", path.c_str(), reason.c_str()));
}

void NoticeAlphaDropped(const std::string& path)
{
    platform::notice(
        Format("%s has an alpha channel; it was dropped and each pixel keeps its colour as stored.", path.c_str()));
}

DecodedImage::DecodedImage(const std::string& path, const RowLayout& layout, std::uint64_t fileBytes)
    : path_(path), layout_(layout), fileBytes_(fileBytes), range_(CurrentSampleRange())
{
    if (layout_.bits != 16) return;
    if (range_.mode != SampleRange::Mode::File)
        table_ = std::make_unique<LevelTable>(range_.lo, range_.hi);
    else
        inPlace_ = layout_.colours == 1;
}

DecodedImage::~DecodedImage() = default;

std::uint64_t DecodedImage::Grant(std::uint64_t fileBytes)
{
    return std::max(kAlwaysGranted, fileBytes * kBytesPerFileByte);
}

std::uint8_t* DecodedImage::Allocate(std::uint64_t bufferBytes, std::uint64_t otherBytes)
{
    const int w = layout_.width;
    const int h = layout_.height;
    if (w <= 0 || h <= 0) RefuseImage(path_, Format("The image's size (%d x %d) is invalid.", w, h));
    const std::uint64_t pixelCount = std::uint64_t(w) * std::uint64_t(h);
    if (pixelCount > static_cast<std::uint64_t>(INT_MAX))
        RefuseImage(path_, Format("The image is %d x %d pixels; at most %d pixels are supported.", w, h, INT_MAX));
    const std::uint64_t needed = pixelCount * sizeof(CColorVal) + bufferBytes + otherBytes;
    const std::uint64_t available = platform::AvailableMemory();
    if (needed > available) {
        constexpr std::uint64_t MB = 1024 * 1024;
        RefuseImage(path_, Format("The %d x %d image needs %llu MB of memory, but only %llu MB are available.", w, h,
                                  static_cast<unsigned long long>((needed + MB - 1) / MB),
                                  static_cast<unsigned long long>(available / MB)));
    }
    // The pixels as held: one byte a grey pixel (16-bit grey also keeps its
    // raw samples until the range is known), three a colour one.
    const std::uint64_t held = pixelCount * (inPlace_ ? 3 : layout_.colours == 1 ? 1 : 3) + bufferBytes + otherBytes;
    if (held > Grant(fileBytes_))
        RefuseImage(path_, Format("The file's %llu bytes cannot hold a %d x %d image.",
                                  static_cast<unsigned long long>(fileBytes_), w, h));
    try {
        // Every row is put before Finish reads it, or the file is refused.
        if (inPlace_)
            raw_.AllocateUnfilled(w, h);
        else if (layout_.colours == 1)
            grey_.AllocateUnfilled(w, h);
        else
            pixels_.AllocateUnfilled(w, h);
        buffer_ = platform::MakeZeroedBlock<std::uint8_t>(bufferBytes);
    } catch (const std::exception&) {
        RefuseImage(path_, "Out of memory.");
    }
    return buffer_.get();
}

bool DecodedImage::NeedsRangePass() const { return layout_.bits == 16 && !table_ && !inPlace_; }

namespace {

// Plain grey: a loop the compiler runs in vector lanes, wider where the
// processor has them.
// Big-endian samples to the processor's order, in vector lanes; libpng's
// own swap goes a byte at a time.
NUVAK_WIDE_BUILDS(void, TurnBytes, (std::uint16_t* samples, int count), (samples, count))
{
    for (int x = 0; x < count; ++x) samples[x] = static_cast<std::uint16_t>(samples[x] << 8 | samples[x] >> 8);
}

NUVAK_WIDE_BUILDS(void, PlainRange, (const std::uint16_t* in, int count, int& lo, int& hi), (in, count, lo, hi))
{
    auto low = static_cast<std::uint16_t>(lo), high = static_cast<std::uint16_t>(hi);
    for (int x = 0; x < count; ++x) {
        low = std::min(low, in[x]);
        high = std::max(high, in[x]);
    }
    lo = low;
    hi = high;
}

}  // namespace

template <typename T>
void DecodedImage::Scan(const T* in)
{
    int lo = lo_, hi = hi_;
    const int stride = layout_.stride;
    if (stride == 1) {
        PlainRange(in, layout_.width, lo, hi);
    } else {
        for (int x = 0; x < layout_.width; ++x, in += stride)
            for (int c = 0; c < layout_.colours; ++c) {
                lo = std::min<int>(lo, in[c]);
                hi = std::max<int>(hi, in[c]);
            }
    }
    lo_ = lo;
    hi_ = hi;
}

void DecodedImage::ScanRow(const void* samples) { Scan(static_cast<const std::uint16_t*>(samples)); }

void DecodedImage::EndRangePass() { table_ = std::make_unique<LevelTable>(lo_, hi_); }

void DecodedImage::PutRow8(int y, const std::uint8_t* in)
{
    const int stride = layout_.stride;
    if (layout_.colours == 1) {
        std::uint8_t* levels = grey_[y];
        if (stride == 1) return static_cast<void>(std::memcpy(levels, in, size_t(layout_.width)));
        for (int x = 0; x < layout_.width; ++x, in += stride) levels[x] = in[0];
        return;
    }
    CColorVal* out = pixels_[y];
    // Once one pixel is not grey the rows are plain copies.
    if (stride == 3 && rgb_) {
        std::memcpy(out, in, size_t(layout_.width) * 3);
        return;
    }
    bool rgb = false;
    for (int x = 0; x < layout_.width; ++x, in += stride) {
        out[x].red = in[0];
        out[x].green = in[1];
        out[x].blue = in[2];
        rgb |= in[0] != in[1] || in[1] != in[2];
    }
    rgb_ = rgb_ || rgb;
}

void DecodedImage::PutRow16(int y, const std::uint16_t* in)
{
    const int stride = layout_.stride;
    if (inPlace_) {
        // Kept raw until the range is known.
        std::uint16_t* raw = raw_[y];
        if (stride == 1) {
            if (raw != in) std::memcpy(raw, in, size_t(layout_.width) * 2);
            if (layout_.bigEndian) TurnBytes(raw, layout_.width);
            Scan(raw);
        } else {
            Scan(in);
            for (int x = 0; x < layout_.width; ++x, in += stride) raw[x] = in[0];
        }
        return;
    }
    const std::uint8_t* level = table_->level.data();
    if (layout_.colours == 1) {
        std::uint8_t* levels = grey_[y];
        for (int x = 0; x < layout_.width; ++x, in += stride) levels[x] = level[in[0]];
        return;
    }
    CColorVal* out = pixels_[y];
    bool rgb = false;
    for (int x = 0; x < layout_.width; ++x, in += stride) {
        out[x].red = level[in[0]];
        out[x].green = level[in[1]];
        out[x].blue = level[in[2]];
        rgb |= !out[x].IsGrey();
    }
    rgb_ = rgb_ || rgb;
}

bool DecodedImage::TakesBigEndian(const RowLayout& layout)
{
    return layout.bits == 16 && layout.colours == 1 && layout.stride == 1 &&
           CurrentSampleRange().mode == SampleRange::Mode::File;
}

std::uint16_t* DecodedImage::RawRows(int y) { return inPlace_ && layout_.stride == 1 ? raw_[y] : nullptr; }

void DecodedImage::PutRow(int y, const void* samples)
{
    if (layout_.bits == 16)
        PutRow16(y, static_cast<const std::uint16_t*>(samples));
    else
        PutRow8(y, static_cast<const std::uint8_t*>(samples));
}

void DecodedImage::Finish(CImage& target, const FileFacts& facts, const FileResolution& resolution)
{
    const int w = layout_.width;
    if (inPlace_) {
        try {
            grey_.AllocateUnfilled(w, layout_.height);
        } catch (const std::bad_alloc&) {
            RefuseImage(path_, "Out of memory.");
        }
        parallel::ForBands(0, layout_.height, w, [&](int first, int last) {
            MapLevels(raw_[first], size_t(last - first) * size_t(w), lo_, hi_, grey_[first]);
        });
        raw_.Release();
    }
    if (facts.pages > 1)
        platform::notice(Format("%s holds %d pages; the first one was opened.", path_.c_str(), facts.pages));
    // A file of one level has no range to spread: say what became of it.
    if (layout_.bits == 16 && range_.mode == SampleRange::Mode::File && lo_ >= hi_)
        platform::notice(Format("%s has 16-bit samples, all at level %d; every pixel became 0.", path_.c_str(), hi_));
    else if (layout_.bits == 16 && range_.mode == SampleRange::Mode::File)
        platform::notice(
            Format("%s has 16-bit samples; levels %d..%d were mapped to 0..255.", path_.c_str(), lo_, hi_));
    if (layout_.alpha) NoticeAlphaDropped(path_);

    target.ReleaseStorage();
    if (layout_.colours == 1)
        target.pixelValueArray = std::move(grey_);
    else
        target.pixelValueArray = std::move(pixels_);
    target.width = w;
    target.height = layout_.height;
    target.format = rgb_ ? FORMAT_RGB : FORMAT_GRAYSCALE;
    target.SettleStorage();
    target.fileFacts = facts;
    target.TakeResolution(resolution);
    target.SetWholeAoi();
}
