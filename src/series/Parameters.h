// The parameter table: every operation parameter's option name, range,
// default and the rule that stores a typed value into OperationParams.
#pragma once

#include <string>
#include <vector>

#include "series/OperationParams.h"

enum class ParamId {
    Size,
    MorphDirection,
    PrewittDirection,
    Repetitions,
    Boost,
    Clutter,
    Significance,
    Background,
    Kernel,
    Degrees,
    ScaleX,
    ScaleY,
    Interpolation,
    Results,
    Metrics,
    Mode,
    Intensity,
    Color,
    Low,
    High,
    Threshold,
    Fill,
    Below,
    Above,
    Component,
    Channel,
    Offset,
    Window,
    Alpha,
    Percent,
    Filter,
    Slider,
    Ellipse,
    Overlay,
    MinArea,
    MaxArea,
    ExcludeEdge,
    OwnPixels,
    Summary,
    MinMajor,
};

struct ParamSpec {
    ParamId id;
    const char* option;     // without the leading "--"
    const char* valueHint;  // empty for a flag
    const char* defaultText;
    const char* help;
    double min = 0;  // range of a number; min > max means no range
    double max = -1;
    bool required = false;  // the operation cannot run without it
};

const std::vector<ParamSpec>& ParameterTable();
const ParamSpec& FindParam(ParamId id);

// Stores value into params; returns "" or the reason it was refused, naming
// the option and its range.
std::string ApplyParam(OperationParams& params, ParamId id, const std::string& value);

extern const char* const kMorphDirectionNames[4];
extern const char* const kPrewittDirectionNames[8];
extern const char* const kComponentNames[4];
