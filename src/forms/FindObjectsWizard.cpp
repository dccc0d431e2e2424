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

bool FindObjectsMetrics::TakeLimits()
{
    double* const limits[] = {&options.minArea, &options.maxArea, &options.minMajor};
    const std::string* const texts[] = {&minAreaText, &maxAreaText, &minMajorText};
    for (int i = 0; i < 3; ++i) {
        if (texts[i]->empty()) {
            *limits[i] = i == 2 ? CObjectOptions().minMajor : 0;
            continue;
        }
        const Exchanged<double> read = ExchangeReal(*texts[i]);
        if (!read.ok || read.value < 0) {
            platform::error(read.ok ? std::string(i == 2 ? "Please enter a length of 0 or more."
                                                         : "Please enter an area of 0 or more.")
                                    : read.message);
            return false;
        }
        *limits[i] = read.value;
    }
    return true;
}
