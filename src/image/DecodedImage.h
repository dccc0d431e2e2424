// Where the PNG, TIFF and JPEG readers put their rows: a fresh image that
// replaces the target only when the whole file was read, with 16-bit samples
// brought to 0..255, alpha dropped and the notices each file earns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "image/Calibration.h"
#include "image/ImageFormat.h"
#include "image/PixelRows.h"
#include "platform/Blocks.h"

class CImage;

// Shows "Failed to read image PATH.\nREASON" and raises the silent abort.
[[noreturn]] void RefuseImage(const std::string& path, const std::string& reason);
// The notice of a file whose alpha channel was dropped.
void NoticeAlphaDropped(const std::string& path);

// The layout of the rows a reader hands over: samples of 8 or 16 bits in
// native byte order, stride samples per pixel of which the first one (grey)
// or three (red, green, blue) are colour.
struct RowLayout {
    int width = 0;
    int height = 0;
    int colours = 1;  // 1 or 3
    int stride = 1;   // samples per pixel, extras (alpha) after the colours
    int bits = 8;     // 8 or 16
    bool alpha = false;
    // 16-bit grey samples in the file's big-endian order, put where they wait
    // for the range (see Swapped), which turns them as it takes them.
    bool bigEndian = false;
};

class DecodedImage {
public:
    // Deflate, the most used codec, expands its data at most 1032-fold; an
    // image that needs more memory than twice that for each byte of its file
    // (past what any file is granted) is made of the file's claims rather
    // than its bytes. Any file is granted enough for a blank page scanned at
    // 600 dpi, whose few kilobytes of bilevel data stand for 35 MB of pixels.
    static constexpr std::uint64_t kBytesPerFileByte = 2048;
    static constexpr std::uint64_t kAlwaysGranted = std::uint64_t(64) << 20;
    // The memory a file of fileBytes may ask for.
    static std::uint64_t Grant(std::uint64_t fileBytes);
    // fileBytes: the length of the file, which bounds what it may ask for.
    DecodedImage(const std::string& path, const RowLayout& layout, std::uint64_t fileBytes);
    ~DecodedImage();

    // Refuses a size out of reach before anything is allocated, counting the
    // reader's row buffer and its other needs: beyond the memory there is,
    // or beyond Grant(fileBytes); then allocates the pixels and
    // the row buffer (zero bytes, its pages touched only as they are used);
    // the pixels are left unfilled, since every row is put before it is read.
    std::uint8_t* Allocate(std::uint64_t bufferBytes, std::uint64_t otherBytes = 0);
    // 16-bit colour under the file's own range: the reader first hands every
    // row to ScanRow, then again to PutRow.
    bool NeedsRangePass() const;
    void ScanRow(const void* samples);
    void EndRangePass();
    void PutRow(int y, const void* samples);
    // Where 16-bit grey rows from y on wait for their range, when they are
    // one sample a pixel: a reader may decode straight into them and hand
    // them to PutRow where they lie. Null otherwise.
    std::uint16_t* RawRows(int y);
    // Whether 16-bit grey rows of one sample a pixel may come in big-endian
    // order, left for this class to turn: they wait raw for the range, the
    // file's own.
    static bool TakesBigEndian(const RowLayout& layout);
    // Notices, then the fresh image replaces target's pixels.
    void Finish(CImage& target, const FileFacts& facts, const FileResolution& resolution);

private:
    template <typename T> void Scan(const T* in);
    void PutRow8(int y, const std::uint8_t* in);
    void PutRow16(int y, const std::uint16_t* in);

    std::string path_;
    RowLayout layout_;
    std::uint64_t fileBytes_;
    SampleRange range_;
    PixelRows pixels_;  // colour files
    GreyRows grey_;     // grey files, one byte a pixel
    RowBlock<std::uint16_t> raw_;  // 16-bit grey kept raw until the range is known
    platform::Block<std::uint8_t> buffer_;
    std::unique_ptr<LevelTable> table_;  // 16-bit levels, once lo..hi are known
    bool inPlace_ = false;  // 16-bit grey kept raw until Finish
    int lo_ = 65535;
    int hi_ = 0;
    bool rgb_ = false;
};
