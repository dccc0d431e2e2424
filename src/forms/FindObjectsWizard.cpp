// Find Objects wizard: Go and the results read back for display.
#include "forms/FindObjectsWizard.h"

#include "forms/DataExchange.h"

#include <fstream>
#include <iterator>

#include "image/Image.h"
#include "platform/UserInterface.h"
#include "series/SeriesPaths.h"

std::string ResultsText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Could not open " + path + "\r\nNo results available";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        // The file's CR LF is one line end, as a bare LF is.
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        if (c == '\n')
            text += "\r\n";
        else
            text += c == ',' ? '\t' : c;
    }
    return text;
}

OperationStep FindObjectsStep(const std::string& path, const FindObjectsMetrics& metrics,
                              const CCalibration& calibration)
{
    OperationStep step;
    step.op = FindOperation("Find Objects");
    step.params.resultsFile = BaseName(path);
    step.params.metricMask = metrics.flags;
    SetObjectOptions(step.params, metrics.options);
    step.params.minAreaUnit = step.params.maxAreaUnit = calibration.Calibrated() ? calibration.unit : "px";
    return step;
}

GoResult RunGo(CImage* image, const std::string& path, const FindObjectsMetrics& metrics,
               const std::function<void()>& redraw, std::string& results)
{
    if (path.empty()) {
        platform::error("Please enter an output file");
        return GoResult::NoFile;
    }
    const platform::WaitCursor wait;
    if (image == nullptr) return GoResult::NoDocument;
    if (image->CentroidDetermination(path, metrics.flags, -1, metrics.options) != 0) {
        platform::error(image->errorMessage);
        return GoResult::Failed;
    }
    image->objectColor = metrics.outlineColor;
    redraw();
    results = ResultsText(path);
    return GoResult::Found;
}

namespace {

// A limit from its text; an empty text is the limit's default.
Exchanged<double> ReadLimit(const std::string& text, double empty, const char* refusal)
{
    if (text.empty()) return {true, empty, {}};
    Exchanged<double> read = ExchangeReal(text);
    if (read.ok && read.value < 0) return {false, 0, refusal};
    return read;
}

const char* const kAreaRefusal = "Please enter an area of 0 or more.";

Exchanged<double> ReadArea(const std::string& text) { return ReadLimit(text, 0, kAreaRefusal); }

Exchanged<double> ReadMajor(const std::string& text)
{
    return ReadLimit(text, CObjectOptions().minMajor, "Please enter a length of 0 or more.");
}

}  // namespace

std::optional<FieldFailure> FindObjectsMetrics::LimitFailure() const
{
    const Exchanged<double> reads[] = {ReadArea(minAreaText), ReadArea(maxAreaText), ReadMajor(minMajorText)};
    for (int i = 0; i < 3; ++i)
        if (!reads[i].ok) return FieldFailure{i, reads[i].message};
    return std::nullopt;
}

bool FindObjectsMetrics::TakeLimits()
{
    if (const std::optional<FieldFailure> failure = LimitFailure()) {
        platform::error(failure->message);
        return false;
    }
    options.minArea = ReadArea(minAreaText).value;
    options.maxArea = ReadArea(maxAreaText).value;
    options.minMajor = ReadMajor(minMajorText).value;
    return true;
}

namespace {

std::optional<std::string> TakeLimit(const Exchanged<double>& read, double& limit)
{
    if (!read.ok) return read.message;
    limit = read.value;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> TakeAreaLimit(const std::string& text, double& limit)
{
    return TakeLimit(ReadArea(text), limit);
}

std::optional<std::string> TakeMajorLimit(const std::string& text, double& limit)
{
    return TakeLimit(ReadMajor(text), limit);
}

const std::array<ObjectOptionBox, 3>& ObjectOptionBoxes()
{
    static const std::array<ObjectOptionBox, 3> boxes{{
        {"Leave out objects touching the AOI's edge", &CObjectOptions::excludeEdge},
        {"Measure each object's own pixels", &CObjectOptions::ownPixels},
        {"End the results with a summary line", &CObjectOptions::summary},
    }};
    return boxes;
}

std::string MinAreaLabel(const std::string& unit) { return "Minimum area (" + unit + ", 0 for none):"; }

std::string MaxAreaLabel(const std::string& unit) { return "Maximum area (" + unit + ", 0 for none):"; }

std::string AreaUnit(const CCalibration& calibration)
{
    return calibration.Calibrated() ? calibration.unit + "\u00b2" : "pixels";
}
