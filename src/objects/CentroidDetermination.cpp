// Find Objects: each object of the AOI is found by a raster scan, traced,
// measured, reported when large enough and erased from a working copy.
#include <cstdio>
#include <memory>
#include <new>

#include "image/Image.h"
#include "platform/UserInterface.h"

namespace {

// Objects with a shorter major axis are erased but not reported.
constexpr double kReportingLimit = 3.0;

const char* const kNoMemory = "CImage::CentroidDetermination cannot allocate sufficient memory.";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ResultsFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

int CImage::CentroidDetermination(const std::string& fileName, int metricFlags, int background)
{
    ResultsFile file(std::fopen(fileName.c_str(), "wb"));
    if (!file) {
        errorMessage = fileName + " could not be opened for output.";
        return -1;
    }
    objects.clear();
    PixelRows work;
    try {
        work = pixelValueArray;
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
    try {
        while (written && scan && FindStartPixel(work, background, x, y)) {
            CFoundObject object = TraceObject(work, background, x, y);
            if (!headerWritten) {
                written = WriteResultsLine(file.get(), object.HeaderLine(metricFlags, grayscale));
                headerWritten = true;
            }
            if (written && object.majorAxis >= kReportingLimit) {
                written = object.WriteRow(file.get(), ObjectCount() + 1, grayscale, metricFlags);
                objects.push_back(std::move(object));
            }
        }
    } catch (const std::bad_alloc&) {
        // A label matrix or a long boundary did not fit: no half-filled list.
        objects.clear();
        errorMessage = kNoMemory;
        return -1;
    }
    written = std::fclose(file.release()) == 0 && written;
    if (!written) {
        objects.clear();
        errorMessage = fileName + " could not be written completely.";
        return -1;
    }
    return 0;
}
