// Running one step on an image and writing it as its command line.
#include "series/OperationStep.h"

#include <algorithm>
#include <charconv>

#include "platform/Format.h"
#include "platform/UserInterface.h"

using platform::Format;

std::optional<AoiBox> StepAoi(const CImage& image)
{
    if (image.aoiLeft == 0 && image.aoiTop == 0 && image.aoiRight == image.width - 1 &&
        image.aoiBottom == image.height - 1)
        return std::nullopt;
    return AoiBox{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom};
}

bool AoiMeetsImage(const CImage& image, const AoiBox& aoi)
{
    return aoi[0] < image.width && aoi[1] < image.height && aoi[2] >= 0 && aoi[3] >= 0;
}

std::string AoiOutsideText(const CImage& image, const AoiBox& aoi)
{
    return Format("The AOI (%d, %d) - (%d, %d) lies wholly outside the %d x %d image.", aoi[0], aoi[1], aoi[2],
                  aoi[3], image.width, image.height);
}

bool SetAoi(CImage& image, const std::optional<AoiBox>& aoi, bool notify)
{
    if (!aoi) {
        image.SetWholeAoi();
        return true;
    }
    if (!AoiMeetsImage(image, *aoi)) {
        image.errorMessage = AoiOutsideText(image, *aoi);
        return false;
    }
    image.SetUpperLeft((*aoi)[0], (*aoi)[1], notify);
    image.SetLowerRight((*aoi)[2], (*aoi)[3], notify);
    return true;
}

int RunStep(CImage& image, const OperationStep& step, OperationOutputs& outputs, bool notify)
{
    platform::PresetAnswer answer(step.answer);
    const int result = SetAoi(image, step.aoi, notify) ? step.op->run(image, step.params, outputs) : -1;
    // A recipe's step names its line, where the user can mend it.
    if (result != 0 && !step.origin.empty()) image.errorMessage = step.origin + ": " + image.errorMessage;
    return result;
}

void RecordAnswers(OperationStep& step, const std::vector<platform::GivenAnswer>& answers)
{
    if (answers.empty()) return;
    const bool detects = std::find(step.op->params.begin(), step.op->params.end(), ParamId::Background) !=
                             step.op->params.end() &&
                         step.params.background != 0 && step.params.background != 255;
    std::optional<bool> other;
    for (const platform::GivenAnswer& given : answers) {
        const std::optional<int> level = CImage::BackgroundAnswered(given.question, given.yes);
        if (!level) {
            if (!other) other = given.yes;
        } else if (detects) {
            step.params.background = *level;
        }
    }
    step.answer = other;
}

namespace {

// The shortest text that reads back as the same double.
std::string Real(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// An area limit with the unit it names: "30", "30px" or "30um2".
std::string AreaText(double value, const std::string& unit)
{
    if (unit.empty() || unit == "px") return Real(value) + unit;
    return Real(value) + CCalibration{1, 1, unit}.UnitName() + "2";
}

const char* const kInterpolations[] = {"nearest", "bilinear"};
const char* const kModes[] = {"inside", "outside"};
const char* const kComponents[] = {"red", "green", "blue", "rgb"};
const char* const kWindows[] = {"hamming", "hann", "cosine", "triangular", "rolloff"};
const char* const kFilters[] = {"low", "high"};

const char* Name(const char* const* names, int count, int index)
{
    return index >= 0 && index < count ? names[index] : names[0];
}

bool IsMorphology(const Operation& op)
{
    for (ParamId id : op.params)
        if (id == ParamId::MorphDirection) return true;
    return false;
}

// The value of one parameter; nullopt leaves the option out (an unset file,
// or a flag that is not the chosen one).
std::optional<std::string> ParamValue(const Operation& op, const OperationParams& p, ParamId id)
{
    switch (id) {
    case ParamId::Size: return std::to_string(IsMorphology(op) ? p.morphSize : p.filterSize);
    case ParamId::MorphDirection: return Name(kMorphDirectionNames, 4, p.morphDirection);
    case ParamId::PrewittDirection: return Name(kPrewittDirectionNames, 8, p.prewittDirection);
    case ParamId::Repetitions: return std::to_string(p.repetitions);
    case ParamId::Boost: return Real(p.boost);
    case ParamId::Clutter: return std::to_string(p.clutterThreshold);
    case ParamId::Significance: return std::to_string(p.significanceThreshold);
    case ParamId::Background:
        return p.background == 0 ? "0" : p.background == 255 ? "255" : "auto";
    case ParamId::Kernel:
        if (p.kernelFile.empty()) return std::nullopt;
        return p.kernelFile;
    case ParamId::Degrees: return Real(p.theta);
    case ParamId::ScaleX: return Real(p.scaleX);
    case ParamId::ScaleY: return Real(p.scaleY);
    case ParamId::Interpolation: return Name(kInterpolations, 2, p.interpolation);
    case ParamId::Results:
        if (p.resultsFile.empty()) return std::nullopt;
        return p.resultsFile;
    case ParamId::Metrics: return std::to_string(p.metricMask);
    case ParamId::Mode: return Name(kModes, 2, p.boundMode);
    case ParamId::Intensity: return std::to_string(p.intensity);
    case ParamId::Color: return Format("%d,%d,%d", p.red, p.green, p.blue);
    case ParamId::Low: return std::to_string(p.lowerLimit);
    case ParamId::High: return std::to_string(p.upperLimit);
    case ParamId::Threshold: return std::to_string(p.threshold);
    case ParamId::Fill: return std::to_string(p.fillValue);
    case ParamId::Below:
        if (p.editAbove != 0) return std::nullopt;
        return std::string();
    case ParamId::Above:
        if (p.editAbove == 0) return std::nullopt;
        return std::string();
    case ParamId::Component: return Name(kComponents, 4, p.component);
    case ParamId::Channel:
        if (p.channel < 0) return std::nullopt;
        return Name(kComponents, 3, p.channel);
    case ParamId::Offset: return std::to_string(p.offset);
    case ParamId::Window: return Name(kWindows, 5, p.windowType);
    case ParamId::Alpha: return Real(p.alpha);
    case ParamId::Percent: return std::to_string(p.percent);
    // A custom ellipse replaces the kind and the slider.
    case ParamId::Filter:
        if (p.customEllipse) return std::nullopt;
        return Name(kFilters, 2, p.filterKind);
    case ParamId::Slider:
        if (p.customEllipse) return std::nullopt;
        return std::to_string(p.slider);
    case ParamId::Ellipse:
        if (!p.customEllipse) return std::nullopt;
        return Format("%d,%d,%d,%d", p.ellipseLeft, p.ellipseTop, p.ellipseRight, p.ellipseBottom);
    case ParamId::Overlay:
        if (p.overlayFile.empty()) return std::nullopt;
        return p.overlayFile;
    // Left out at their defaults, so that lines without them read as before.
    case ParamId::MinArea:
        if (p.minArea == 0) return std::nullopt;
        return AreaText(p.minArea, p.minAreaUnit);
    case ParamId::MaxArea:
        if (p.maxArea == 0) return std::nullopt;
        return AreaText(p.maxArea, p.maxAreaUnit);
    case ParamId::MinMajor:
        if (p.minMajor == OperationParams().minMajor) return std::nullopt;
        return Real(p.minMajor);
    case ParamId::ExcludeEdge:
        if (!p.excludeEdge) return std::nullopt;
        return std::string();
    case ParamId::OwnPixels:
        if (!p.ownPixels) return std::nullopt;
        return std::string();
    case ParamId::Summary:
        if (!p.summary) return std::nullopt;
        return std::string();
    }
    return std::nullopt;
}

}  // namespace

std::string QuoteWord(const std::string& word)
{
    // Control characters too: a carriage return at the end of a line would be
    // taken for a line end.
    const bool plain = !word.empty() && std::none_of(word.begin(), word.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '\'' || c == '\\' || c == '#';
    });
    if (plain) return word;
    std::string quoted = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string StepCommandLine(const OperationStep& step)
{
    std::string line = "--op " + QuoteWord(step.op->name);
    for (ParamId id : step.op->params) {
        const std::optional<std::string> value = ParamValue(*step.op, step.params, id);
        if (!value) continue;
        // Appended piece by piece: GCC warns of a false overlap in " " + word.
        line += " --";
        line += FindParam(id).option;
        if (!*FindParam(id).valueHint) continue;
        line += ' ';
        line += QuoteWord(*value);
    }
    if (step.aoi) line += Format(" --aoi %d,%d,%d,%d", (*step.aoi)[0], (*step.aoi)[1], (*step.aoi)[2], (*step.aoi)[3]);
    if (step.answer) line += *step.answer ? " --answer yes" : " --answer no";
    return line;
}
