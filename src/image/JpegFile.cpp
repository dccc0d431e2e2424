// JPEG files through libjpeg: grey and colour, baseline and progressive,
// decoded with the library's defaults one scanline at a time; written as
// grey or RGB at a chosen quality. libjpeg ends on an error unless its
// error_exit returns elsewhere, so it longjmps back into the one function
// that holds the setjmp; the callbacks never throw.
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "image/DecodedImage.h"
#include "image/File.h"
#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "image/ResolutionFields.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

constexpr size_t kChunk = 64 << 10;

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX] = "";
};

void OnErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->text);
    std::longjmp(error->jump, 1);
}

// Traces and harmless warnings stay silent. Warnings of corrupt data would
// leave part of the image grey or garbled, so they refuse the file.
void OnMessage(j_common_ptr info, int level)
{
    if (level != -1) return;
    switch (info->err->msg_code) {
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
        OnErrorExit(info);
        break;
    default: break;
    }
}

void InstallErrors(JpegError& error)
{
    jpeg_std_error(&error.mgr);
    error.mgr.error_exit = OnErrorExit;
    error.mgr.emit_message = OnMessage;
}

// Source: the file in chunks; the end of the file is an error, not the fake
// end marker libjpeg's own sources insert, so a truncated file is refused.
struct FileSource {
    jpeg_source_mgr mgr;
    CFile* file;
    std::uint8_t* buffer;
    char failure[JMSG_LENGTH_MAX];
};

void InitSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info)
{
    auto* src = reinterpret_cast<FileSource*>(info->src);
    size_t got = 0;
    std::snprintf(src->failure, sizeof src->failure, "The file ends too early.");
    try {
        got = src->file->Read(src->buffer, kChunk);
    } catch (const FileError& e) {
        std::snprintf(src->failure, sizeof src->failure, "%s", e.text.c_str());
    }
    if (got == 0) {
        auto* error = reinterpret_cast<JpegError*>(info->err);
        std::snprintf(error->text, sizeof error->text, "%s", src->failure);
        std::longjmp(error->jump, 1);
    }
    src->mgr.next_input_byte = src->buffer;
    src->mgr.bytes_in_buffer = got;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count)
{
    auto* src = reinterpret_cast<FileSource*>(info->src);
    while (count > 0) {
        if (src->mgr.bytes_in_buffer == 0) FillInput(info);
        const size_t step = std::min<size_t>(static_cast<size_t>(count), src->mgr.bytes_in_buffer);
        src->mgr.next_input_byte += step;
        src->mgr.bytes_in_buffer -= step;
        count -= static_cast<long>(step);
    }
}

void TermSource(j_decompress_ptr) {}

struct JpegHeader {
    int width = 0;
    int height = 0;
    int components = 0;
    J_COLOR_SPACE space = JCS_UNKNOWN;
    bool progressive = false;
    // Plain numbers: the header lives where libjpeg may longjmp.
    double xPixelsPerMetre = 0;
    double yPixelsPerMetre = 0;
};

// Receives the header, then every scanline. Begin may refuse the file (it
// runs between libjpeg's calls, never inside them); Row never throws.
class JpegTarget {
public:
    JpegTarget(const std::string& path, std::uint64_t fileBytes) : path_(path), fileBytes_(fileBytes) {}
    JSAMPROW Begin(const JpegHeader& h)  // one scanline's buffer
    {
        header = h;
        if (h.space == JCS_CMYK || h.space == JCS_YCCK)
            RefuseImage(path_, "CMYK and YCCK JPEG files are not supported; grey and colour ones are.");
        if (h.components != 1 && h.components != 3)
            RefuseImage(path_, platform::Format("JPEG files with %d components are not supported; grey and colour "
                                                "ones are.",
                                                h.components));
        RowLayout layout;
        layout.width = h.width;
        layout.height = h.height;
        layout.colours = layout.stride = h.components == 1 ? 1 : 3;
        image_.emplace(path_, layout, fileBytes_);
        // A progressive file keeps every block's coefficients (64 of 2 bytes) until the last scan.
        const std::uint64_t coefficients =
            h.progressive ? std::uint64_t(h.components) * ((h.width + 15u) & ~15u) * ((h.height + 15u) & ~15u) * 2 : 0;
        return image_->Allocate(std::uint64_t(h.width) * 3, coefficients);
    }
    void Row(int y, JSAMPROW row) { image_->PutRow(y, row); }
    DecodedImage& Image() { return *image_; }
    JpegHeader header;

private:
    std::string path_;
    std::uint64_t fileBytes_;
    std::optional<DecodedImage> image_;
};

// A progressive file may split its coefficients over many scans, each of
// which passes over the whole image: a few bytes each, they could make a
// small file decode for minutes. Real files have about ten.
constexpr int kMostScans = 100;

void OnProgress(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number <= kMostScans) return;
    auto* error = reinterpret_cast<JpegError*>(info->err);
    std::snprintf(error->text, sizeof error->text, "The JPEG file has more than %d scans.", kMostScans);
    std::longjmp(error->jump, 1);
}

struct Decompress {
    jpeg_decompress_struct info{};
    jpeg_progress_mgr progress{};
    JpegError error;
    FileSource source{};
    std::vector<std::uint8_t> buffer;
    bool created = false;
    ~Decompress()
    {
        if (created) jpeg_destroy_decompress(&info);
    }
};

double DensityInMetres(int density, int unit)
{
    if (unit == 1) return density / 0.0254;
    if (unit == 2) return density * 100.0;
    return 0;
}

// The JFIF density in pixels per metre, or when that gives none the EXIF resolution.
std::pair<double, double> HeaderResolution(const jpeg_decompress_struct& info)
{
    if (info.saw_JFIF_marker && info.density_unit != 0)
        return {DensityInMetres(info.X_density, info.density_unit), DensityInMetres(info.Y_density, info.density_unit)};
    static constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    for (jpeg_saved_marker_ptr m = info.marker_list; m != nullptr; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length > sizeof kExif &&
            std::equal(kExif, kExif + sizeof kExif, m->data))
            return ExifResolution(m->data + sizeof kExif, m->data_length - sizeof kExif);
    return {0, 0};
}

// false with libjpeg's reason in d.error.text.
bool DecodeJpeg(Decompress& d, CFile& file, JpegTarget& sink)
{
    jpeg_decompress_struct& info = d.info;
    info.err = &d.error.mgr;
    InstallErrors(d.error);
    if (setjmp(d.error.jump)) return false;
    jpeg_create_decompress(&info);
    d.created = true;
    // libjpeg's own buffers (a progressive file's coefficients) within what
    // the file may ask for.
    info.mem->max_memory_to_use = static_cast<long>(
        std::min<std::uint64_t>(LONG_MAX, DecodedImage::Grant(file.Length())));
    d.progress.progress_monitor = OnProgress;
    info.progress = &d.progress;
    d.source.file = &file;
    d.source.buffer = d.buffer.data();
    d.source.mgr.init_source = InitSource;
    d.source.mgr.fill_input_buffer = FillInput;
    d.source.mgr.skip_input_data = SkipInput;
    d.source.mgr.resync_to_restart = jpeg_resync_to_restart;
    d.source.mgr.term_source = TermSource;
    info.src = &d.source.mgr;
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    JpegHeader h;
    h.width = static_cast<int>(info.image_width);
    h.height = static_cast<int>(info.image_height);
    h.components = info.num_components;
    h.space = info.jpeg_color_space;
    h.progressive = info.progressive_mode;
    std::tie(h.xPixelsPerMetre, h.yPixelsPerMetre) = HeaderResolution(info);
    JSAMPROW row = sink.Begin(h);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        sink.Row(y, row);
    }
    jpeg_finish_decompress(&info);
    return true;
}

// Destination: the archive in chunks; a file failure is kept and libjpeg stopped.
struct ArchiveDestination {
    jpeg_destination_mgr mgr;
    CArchive* archive;
    std::uint8_t* buffer;
    std::optional<FileError>* failure;
};

void InitDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<ArchiveDestination*>(info->dest);
    dest->mgr.next_output_byte = dest->buffer;
    dest->mgr.free_in_buffer = kChunk;
}

void Hand(j_compress_ptr info, size_t count)
{
    auto* dest = reinterpret_cast<ArchiveDestination*>(info->dest);
    try {
        dest->archive->Write(dest->buffer, count);
        return;
    } catch (const FileError& e) {
        *dest->failure = e;
    }
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

boolean EmptyOutput(j_compress_ptr info)
{
    Hand(info, kChunk);
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<ArchiveDestination*>(info->dest);
    Hand(info, kChunk - dest->mgr.free_in_buffer);
}

struct Compress {
    jpeg_compress_struct info{};
    JpegError error;
    ArchiveDestination destination{};
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kChunk);
    std::vector<std::uint8_t> grey;
    std::optional<FileError> failure;
    bool created = false;
    ~Compress()
    {
        if (created) jpeg_destroy_compress(&info);
    }
};

bool EncodeJpeg(Compress& c, CArchive& archive, const CImage& image, int quality, const JpegDensity& density)
{
    jpeg_compress_struct& info = c.info;
    info.err = &c.error.mgr;
    InstallErrors(c.error);
    if (setjmp(c.error.jump)) return false;
    jpeg_create_compress(&info);
    c.created = true;
    c.destination.archive = &archive;
    c.destination.buffer = c.buffer.data();
    c.destination.failure = &c.failure;
    c.destination.mgr.init_destination = InitDestination;
    c.destination.mgr.empty_output_buffer = EmptyOutput;
    c.destination.mgr.term_destination = TermDestination;
    info.dest = &c.destination.mgr;
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = WrittenSamples(image);
    info.in_color_space = info.input_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (density.unit != 0) {
        info.density_unit = static_cast<UINT8>(density.unit);
        info.X_density = static_cast<UINT16>(density.x);
        info.Y_density = static_cast<UINT16>(density.y);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg reads the row without changing it.
        auto row = const_cast<JSAMPROW>(WrittenRow(image, static_cast<int>(info.next_scanline), c.grey.data()));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

void ReadJpeg(CFile& file, CImage& target)
{
    file.Seek(0);
    JpegTarget sink(file.Path(), file.Length());
    Decompress d;
    d.buffer.resize(kChunk);
    if (!DecodeJpeg(d, file, sink)) RefuseImage(file.Path(), d.error.text);
    FileFacts facts;
    facts.format = FileFormat::Jpeg;
    facts.samplesPerPixel = sink.header.components;
    sink.Image().Finish(target, facts, {sink.header.xPixelsPerMetre, sink.header.yPixelsPerMetre, {}});
}

void WriteJpeg(const CImage& image, CArchive& archive, int quality)
{
    JpegDensity density;
    if (!DensityFor(image.xPixelsPerMetre, image.yPixelsPerMetre, density)) {
        const CCalibration shown = image.calibration.Calibrated()
                                       ? image.calibration
                                       : CalibrationFromMetres(1 / image.xPixelsPerMetre, 1 / image.yPixelsPerMetre);
        platform::notice(platform::Format("%s was written without a resolution: a JPEG file's density fields "
                                          "cannot hold a pixel size of %g x %g %s within 0.1 %%.",
                                          archive.GetFile().Path().c_str(), shown.pixelWidth, shown.pixelHeight,
                                          shown.unit.c_str()));
    }
    Compress c;
    c.grey.resize(static_cast<size_t>(image.width));
    if (EncodeJpeg(c, archive, image, quality, density)) return;
    if (c.failure) throw *c.failure;
    throw FileError{0, c.error.text};
}
