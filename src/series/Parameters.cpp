#include "series/Parameters.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <strings.h>

#include "image/Calibration.h"
#include "platform/Format.h"

const char* const kMorphDirectionNames[4] = {"Omnidirectional", "Horizontal", "Vertical", "Diagonal"};
const char* const kPrewittDirectionNames[8] = {"North", "Northeast", "East",      "Southeast",
                                               "South", "Southwest", "West", "Northwest"};
const char* const kComponentNames[4] = {"Red", "Green", "Blue", "RGB"};

namespace {

using platform::Format;

const std::vector<ParamSpec> kParams = {
    {ParamId::Size, "size", "3|5|7|9", "3", "neighbourhood size"},
    {ParamId::MorphDirection, "direction", "NAME|0..3", "Omnidirectional",
     "Omnidirectional, Horizontal, Vertical or Diagonal"},
    {ParamId::PrewittDirection, "direction", "NAME|0..7", "North",
     "North, Northeast, East, Southeast, South, Southwest, West or Northwest"},
    {ParamId::Repetitions, "repetitions", "N", "1", "repetitions", 1, 5},
    {ParamId::Boost, "boost", "X", "1.0", "boost factor"},
    {ParamId::Clutter, "clutter", "N", "150", "clutter threshold", 0, 20655},
    {ParamId::Significance, "significance", "N", "20", "significance threshold", 0, 255},
    {ParamId::Background, "background", "0|255|auto", "auto", "background level; auto detects it and asks"},
    {ParamId::Kernel, "kernel", "FILE.ftr", "", "filter file with the kernel"},
    {ParamId::Degrees, "degrees", "X", "90", "angle in degrees", -360, 360},
    {ParamId::ScaleX, "x", "P", "100", "horizontal scale in percent, above 0", 0, 400},
    {ParamId::ScaleY, "y", "P", "100", "vertical scale in percent, above 0", 0, 400},
    {ParamId::Interpolation, "interpolation", "nearest|bilinear", "bilinear", "interpolation method"},
    {ParamId::Results, "results", "FILE.dat", "", "object results file", 0, -1, true},
    {ParamId::Metrics, "metrics", "N", "2047", "metric flags written to the results file", 0, 2047},
    {ParamId::Mode, "mode", "inside|outside", "outside", "pixels to set: inside or outside the AOI"},
    {ParamId::Intensity, "intensity", "N", "0", "fill intensity for a grayscale image", 0, 255},
    {ParamId::Color, "color", "R,G,B", "0,0,0", "fill colour for an RGB image"},
    {ParamId::Low, "low", "N", "100", "lower limit", 0, 255},
    {ParamId::High, "high", "N", "150", "upper limit", 0, 255},
    {ParamId::Threshold, "threshold", "N", "127", "threshold level", 0, 255},
    {ParamId::Fill, "fill", "N", "0", "fill value", 0, 255},
    {ParamId::Below, "below", "", "", "edit pixels below the threshold (default)"},
    {ParamId::Above, "above", "", "", "edit pixels above the threshold"},
    {ParamId::Component, "component", "red|green|blue|rgb", "rgb", "component compared with the threshold"},
    {ParamId::Channel, "channel", "red|green|blue", "red", "channel of an RGB image"},
    {ParamId::Offset, "offset", "N", "0", "levels to slide, limited to the occupied range", -255, 255},
    {ParamId::Window, "window", "hamming|hann|cosine|triangular|rolloff", "hamming", "window function"},
    {ParamId::Alpha, "alpha", "X", "0.5", "window alpha", 0.5, 1.0},
    {ParamId::Percent, "percent", "N", "10", "percent of the image to roll off", 0, 100},
    {ParamId::Filter, "filter", "low|high", "low", "frequencies to keep"},
    {ParamId::Slider, "slider", "P", "100", "ellipse size in percent of the spectrum", 0, 100},
    {ParamId::Ellipse, "ellipse", "L,T,R,B", "", "custom ellipse of frequencies to delete, instead of --filter"},
    {ParamId::Overlay, "overlay", "FILE.bmp", "", "copy of the image with the objects' outlines in red"},
    {ParamId::MinArea, "min-area", "A", "0",
     "smallest area reported, in pixels or the unit squared (30px and 30um2 name theirs); 0: no limit", 0, 1e15},
    {ParamId::MaxArea, "max-area", "A", "0",
     "largest area reported, in pixels or the unit squared (30px and 30um2 name theirs); 0: no limit", 0, 1e15},
    {ParamId::ExcludeEdge, "exclude-edge", "", "", "leave out objects touching the AOI's edge"},
    {ParamId::OwnPixels, "own-pixels", "", "",
     "measure each object's own pixels, not every object pixel of its bounding box"},
    {ParamId::Summary, "summary", "", "", "end the results with \"# objects: N, total area: A, mean area: M\""},
    {ParamId::MinMajor, "min-major", "L", "3", "shortest major axis reported, in pixels", 0, 1e9},
};

bool ParseInt(const std::string& text, long& out)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && !std::isspace(static_cast<unsigned char>(text[0]));
}

bool ParseReal(const std::string& text, double& out)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(out);
}

// A name from the list (any case) or its index.
bool ParseChoice(const std::string& text, const char* const* names, int count, int& out)
{
    for (int i = 0; i < count; ++i)
        if (strcasecmp(text.c_str(), names[i]) == 0) {
            out = i;
            return true;
        }
    long index;
    if (ParseInt(text, index) && index >= 0 && index < count) {
        out = static_cast<int>(index);
        return true;
    }
    return false;
}

bool ParseIntList(const std::string& text, int count, long lo, long hi, int* out)
{
    size_t start = 0;
    for (int i = 0; i < count; ++i) {
        const size_t comma = text.find(',', start);
        if ((i == count - 1) != (comma == std::string::npos)) return false;
        long v;
        if (!ParseInt(text.substr(start, comma - start), v) || v < lo || v > hi) return false;
        out[i] = static_cast<int>(v);
        start = comma + 1;
    }
    return true;
}

std::string ChoiceError(const ParamSpec& spec) { return Format("--%s must be %s", spec.option, spec.valueHint); }

std::string SetInt(const ParamSpec& spec, const std::string& value, int& field)
{
    long v;
    if (!ParseInt(value, v) || v < spec.min || v > spec.max)
        return Format("--%s must be an integer from %g to %g", spec.option, spec.min, spec.max);
    field = static_cast<int>(v);
    return {};
}

std::string SetReal(const ParamSpec& spec, const std::string& value, double& field)
{
    double v;
    if (!ParseReal(value, v)) return Format("--%s must be a number", spec.option);
    if (spec.min <= spec.max && (v < spec.min || v > spec.max))
        return Format("--%s must be a number from %g to %g", spec.option, spec.min, spec.max);
    field = v;
    return {};
}

// An area limit: a number, then "px" for pixels or a unit and "2" for that
// unit squared ("30um2"); a plain number is in the image's own terms.
std::string SetArea(const ParamSpec& spec, const std::string& value, double& field, std::string& unit)
{
    std::string number = value;
    std::string named;
    if (value.size() > 2 && value.compare(value.size() - 2, 2, "px") == 0) {
        number = value.substr(0, value.size() - 2);
        named = "px";
    } else if (value.size() > 1 && value.back() == '2') {
        // Letters before the 2 name a unit; a 2 after a digit ends the number.
        const size_t start = value.find_last_of("0123456789.", value.size() - 2) + 1;
        if (start < value.size() - 1) {
            named = CalibrationUnit(value.substr(start, value.size() - 1 - start));
            if (named.empty())
                return Format("--%s must be a number, then px or a unit squared (nm2, um2, mm2, cm2, m2, in2) if any",
                              spec.option);
            number = value.substr(0, start);
        }
    }
    const std::string problem = SetReal(spec, number, field);
    if (problem.empty()) unit = named;
    return problem;
}

std::string SetPercent(const ParamSpec& spec, const std::string& value, double& field)
{
    double v;
    if (!ParseReal(value, v) || v <= 0 || v > 400)
        return Format("--%s must be a number greater than 0 and at most 400", spec.option);
    field = v;
    return {};
}

std::string SetFileName(const ParamSpec& spec, const std::string& value, std::string& field)
{
    if (value.empty()) return Format("--%s needs a file name", spec.option);
    field = value;
    return {};
}

std::string SetChoice(const ParamSpec& spec, const std::string& value, const char* const* names, int count,
                      int& field)
{
    return ParseChoice(value, names, count, field) ? std::string() : ChoiceError(spec);
}

}  // namespace

const std::vector<ParamSpec>& ParameterTable() { return kParams; }

const ParamSpec& FindParam(ParamId id)
{
    for (const ParamSpec& spec : kParams)
        if (spec.id == id) return spec;
    return kParams.front();
}

std::string ApplyParam(OperationParams& p, ParamId id, const std::string& value)
{
    const ParamSpec& spec = FindParam(id);
    static const char* const sizes[] = {"3", "5", "7", "9"};
    static const char* const backgrounds[] = {"0", "255", "auto"};
    static const char* const interpolations[] = {"nearest", "bilinear"};
    static const char* const modes[] = {"inside", "outside"};
    static const char* const components[] = {"red", "green", "blue", "rgb"};
    static const char* const windows[] = {"hamming", "hann", "cosine", "triangular", "rolloff"};
    static const char* const filters[] = {"low", "high"};
    switch (id) {
    case ParamId::Size:
        for (int i = 0; i < 4; ++i)
            if (value == sizes[i]) {
                p.morphSize = p.filterSize = 3 + 2 * i;
                return {};
            }
        return ChoiceError(spec);
    case ParamId::MorphDirection: return SetChoice(spec, value, kMorphDirectionNames, 4, p.morphDirection);
    case ParamId::PrewittDirection: return SetChoice(spec, value, kPrewittDirectionNames, 8, p.prewittDirection);
    case ParamId::Repetitions: return SetInt(spec, value, p.repetitions);
    case ParamId::Boost: return SetReal(spec, value, p.boost);
    case ParamId::Clutter: return SetInt(spec, value, p.clutterThreshold);
    case ParamId::Significance: return SetInt(spec, value, p.significanceThreshold);
    case ParamId::Background:
        for (int i = 0; i < 3; ++i)
            if (value == backgrounds[i]) {
                p.background = i == 0 ? 0 : (i == 1 ? 255 : -1);
                return {};
            }
        return ChoiceError(spec);
    case ParamId::Kernel:
        if (value.empty()) return Format("--%s needs a file name", spec.option);
        p.kernelFile = value;
        return {};
    case ParamId::Degrees: return SetReal(spec, value, p.theta);
    case ParamId::ScaleX: return SetPercent(spec, value, p.scaleX);
    case ParamId::ScaleY: return SetPercent(spec, value, p.scaleY);
    case ParamId::Interpolation: return SetChoice(spec, value, interpolations, 2, p.interpolation);
    case ParamId::Results: return SetFileName(spec, value, p.resultsFile);
    case ParamId::Metrics: return SetInt(spec, value, p.metricMask);
    case ParamId::Mode: return SetChoice(spec, value, modes, 2, p.boundMode);
    case ParamId::Intensity: return SetInt(spec, value, p.intensity);
    case ParamId::Color: {
        int rgb[3];
        if (!ParseIntList(value, 3, 0, 255, rgb))
            return Format("--%s must be R,G,B with each value from 0 to 255", spec.option);
        p.red = rgb[0];
        p.green = rgb[1];
        p.blue = rgb[2];
        return {};
    }
    case ParamId::Low: return SetInt(spec, value, p.lowerLimit);
    case ParamId::High: return SetInt(spec, value, p.upperLimit);
    case ParamId::Threshold: return SetInt(spec, value, p.threshold);
    case ParamId::Fill: return SetInt(spec, value, p.fillValue);
    case ParamId::Below: p.editAbove = 0; return {};
    case ParamId::Above: p.editAbove = 1; return {};
    case ParamId::Component: return SetChoice(spec, value, components, 4, p.component);
    case ParamId::Channel: return SetChoice(spec, value, components, 3, p.channel);
    case ParamId::Offset: return SetInt(spec, value, p.offset);
    case ParamId::Window: return SetChoice(spec, value, windows, 5, p.windowType);
    case ParamId::Alpha: return SetReal(spec, value, p.alpha);
    case ParamId::Percent: return SetInt(spec, value, p.percent);
    case ParamId::Filter: return SetChoice(spec, value, filters, 2, p.filterKind);
    case ParamId::Slider: return SetInt(spec, value, p.slider);
    case ParamId::Ellipse: {
        int box[4];
        if (!ParseIntList(value, 4, -1000000000L, 1000000000L, box))
            return Format("--%s must be L,T,R,B with four integers", spec.option);
        if (box[0] > box[2] || box[1] > box[3]) return Format("--%s needs L <= R and T <= B", spec.option);
        p.customEllipse = true;
        p.ellipseLeft = box[0];
        p.ellipseTop = box[1];
        p.ellipseRight = box[2];
        p.ellipseBottom = box[3];
        return {};
    }
    case ParamId::Overlay: return SetFileName(spec, value, p.overlayFile);
    case ParamId::MinArea: return SetArea(spec, value, p.minArea, p.minAreaUnit);
    case ParamId::MaxArea: return SetArea(spec, value, p.maxArea, p.maxAreaUnit);
    case ParamId::MinMajor: return SetReal(spec, value, p.minMajor);
    case ParamId::ExcludeEdge: p.excludeEdge = true; return {};
    case ParamId::OwnPixels: p.ownPixels = true; return {};
    case ParamId::Summary: p.summary = true; return {};
    }
    return Format("--%s is not a known option", spec.option);
}
