// Image files read and written for arrays.
#include "ArrayImage.h"
#include "Calls.h"
#include "series/FileOptions.h"

namespace py = pybind11;

namespace nuvakpy {

py::tuple Imread(const std::string& path, const Options& options)
{
    std::vector<StepOption> given = StepOptionsOf(options);
    const std::optional<SampleRange> range = TakeRange(given);
    CImage image;
    std::vector<std::string> notices;
    {
        py::gil_scoped_release free;
        CoreCall call(range, true);
        std::string message;
        bool causeValid = false;
        int cause = 0;
        try {
            if (image.SerializeFile(false, path, false, message, causeValid, cause) != 0)
                throw FileFailure{TrimNewlines(message)};
        } catch (const platform::UserAbort&) {
            throw FileFailure{call.Shown()};
        }
        notices = call.Notices();
    }
    Warn(notices);
    const FileFacts& facts = image.fileFacts;
    py::dict factsOut;
    factsOut["format"] = FileFormatName(facts.format);
    factsOut["bits_per_sample"] = facts.bitsPerSample;
    factsOut["samples_per_pixel"] = facts.samplesPerPixel;
    factsOut["pages"] = facts.pages;
    const CCalibration& c = image.calibration;
    py::object calibration = py::none();
    if (c.Calibrated()) calibration = py::make_tuple(c.pixelWidth, c.pixelHeight, c.unit);
    return py::make_tuple(ArrayOf(image), factsOut, calibration,
                          py::make_tuple(image.xPixelsPerMetre, image.yPixelsPerMetre));
}

void Imwrite(const std::string& path, const py::array& array, const Options& options, std::pair<double, double> resolution)
{
    std::vector<StepOption> given = StepOptionsOf(options);
    const int quality = TakeQuality(given);
    const std::optional<CCalibration> calibration = TakeCalibration(given);
    const ArraySamples samples = SamplesOf(array);
    std::vector<std::string> notices;
    {
        py::gil_scoped_release free;
        CoreCall call(std::nullopt, true);
        CImage image;
        try {
            ImageFromSamples(samples, image);
            std::tie(image.xPixelsPerMetre, image.yPixelsPerMetre) = resolution;
            if (calibration) image.SetCalibration(*calibration);
            std::string message;
            bool causeValid = false;
            int cause = 0;
            if (image.SerializeFile(true, path, false, message, causeValid, cause, {std::nullopt, quality}) != 0)
                throw FileFailure{TrimNewlines(message)};
        } catch (const platform::UserAbort&) {
            throw FileFailure{call.Shown()};
        }
        notices = call.Notices();
    }
    Warn(notices);
}

}  // namespace nuvakpy
