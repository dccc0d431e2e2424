// Find Objects: each object of the AOI is found by a raster scan, traced,
// measured, reported when large enough and erased from a working copy.
#include <cstdio>
#include <memory>
#include <new>
#include <utility>
#include <unistd.h>

#include "image/File.h"
#include "image/Image.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

const char* const kNoMemory = "CImage::CentroidDetermination cannot allocate sufficient memory.";

struct StreamCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using Stream = std::unique_ptr<std::FILE, StreamCloser>;

// The rows go to a stream over the file's own temporary, which replaces the
// previous results only once every row is on disk.
Stream StreamOver(const CFile& file)
{
    const int fd = ::dup(file.Descriptor());
    if (fd < 0) return nullptr;
    Stream stream(::fdopen(fd, "wb"));
    if (!stream) ::close(fd);
    return stream;
}

}  // namespace

namespace {

// Whether the options let a traced object into the results.
bool Reported(const CFoundObject& object, const CObjectOptions& options, const CCalibration& calibration)
{
    if (object.majorAxis < options.minMajor) return false;
    if (options.excludeEdge && object.partial) return false;
    const double area = object.CalibratedArea(calibration);
    return !(options.minArea > 0 && area < options.minArea) && !(options.maxArea > 0 && area > options.maxArea);
}

// The "# objects:" line over the reported objects.
std::string SummaryLine(const std::vector<CFoundObject>& objects, const CCalibration& calibration)
{
    double total = 0.0;
    for (const CFoundObject& object : objects) total += object.CalibratedArea(calibration);
    return ObjectsSummaryLine(objects.size(), total, calibration.Calibrated());
}

}  // namespace

int CImage::CentroidDetermination(const std::string& fileName, int metricFlags, int background,
                                  const CObjectOptions& options)
{
    CFile results;
    FileError openError;
    Stream file;
    if (!results.Open(fileName, CFile::Mode::Write, openError) || !(file = StreamOver(results))) {
        errorMessage = fileName + " could not be opened for output.";
        return -1;
    }
    objects.clear();
    // The working copy: a grey image's plane, a third of its colour rows.
    PixelRows colourWork;
    GreyRows greyWork;
    try {
        const GreyRows* plane = pixelValueArray.HoldsGrey() || format == FORMAT_GRAYSCALE
                                    ? std::as_const(pixelValueArray).Grey()
                                    : nullptr;
        if (plane)
            greyWork = *plane;
        else
            colourWork = pixelValueArray;
    } catch (const std::bad_alloc&) {
        errorMessage = kNoMemory;
        return -1;
    }
    // An image without pixels has no AOI to scan or ask about.
    const bool scan = !IsEmpty();
    if (scan && background != 0 && background != 255) background = DetectBackground();

    platform::WaitCursor wait;
    const bool grayscale = format == FORMAT_GRAYSCALE;
    bool headerWritten = false;
    bool written = true;
    // Erasing only ever turns pixels into background, so each scan may go on
    // from the last start point instead of the AOI's corner.
    int x = aoiLeft, y = aoiTop;
    auto findAll = [&](auto& work) {
        while (written && scan && FindStartPixel(work, background, x, y)) {
            CFoundObject object = TraceObject(work, background, x, y, options.ownPixels);
            if (!headerWritten) {
                written = WriteResultsLine(file.get(), object.HeaderLine(metricFlags, grayscale, calibration));
                headerWritten = true;
            }
            if (written && Reported(object, options, calibration)) {
                written = object.WriteRow(file.get(), ObjectCount() + 1, grayscale, metricFlags, calibration);
                objects.push_back(std::move(object));
            }
        }
    };
    try {
        if (greyWork.empty())
            findAll(colourWork);
        else
            findAll(greyWork);
        if (written && options.summary) written = WriteResultsLine(file.get(), SummaryLine(objects, calibration));
    } catch (const std::bad_alloc&) {
        // A label matrix or a long boundary did not fit: no half-filled list.
        objects.clear();
        errorMessage = kNoMemory;
        return -1;
    }
    written = std::fclose(file.release()) == 0 && written;
    try {
        if (written) results.Close();
    } catch (const FileError&) {
        written = false;
    }
    if (!written) {
        objects.clear();
        errorMessage = fileName + " could not be written completely.";
        return -1;
    }
    return 0;
}
