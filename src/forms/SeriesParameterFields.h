// The fields of the series wizard's parameter pages as typed, and their
// reading into the run's parameters when a page is left.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "forms/MetricBoxes.h"
#include "forms/OperationDialog.h"
#include "image/ColorVal.h"
#include "image/FoundObject.h"

struct SeriesMorphFields {
    enum Control { kSize = 1017, kDirection = 1019, kRepetitions = 1021, kRepetitionsLabel = 1015 };
    int sizeIndex = 0;
    int direction = 0;
    std::string repetitions = "1";
    std::optional<FieldFailure> Read(OperationParams& p) const;
};

struct SeriesFilterFields {
    enum Control {
        kSize = 1023, kDirection = 1028, kDirectionLabel = 1025, kBoost = 1026, kBoostLabel = 1027,
        kSignificance = 1042, kSignificanceLabel = 1040, kClutter = 1029, kClutterLabel = 1041
    };
    int sizeIndex = 0;
    int direction = 0;  // Prewitt
    std::string boost = "1";
    std::string significance = "20";
    std::string clutter = "150";
    std::optional<FieldFailure> Read(OperationParams& p) const;
};

struct SeriesTransformFields {
    enum Control {
        kDegreesLabel = 1030, kDegrees = 1031, kXLabel = 1032, kX = 1033, kYLabel = 1034, kXPercent = 1035,
        kYPercent = 1036, kY = 1037, kNearest = 1038, kBilinear = 1039
    };
    std::string degrees = "90";
    std::string x = "100";
    std::string y = "100";
    int interpolation = 1;  // 0 nearest neighbour, 1 bilinear
    // The numbers, then Next's 0..400 check of X and Y (Back does not make it).
    std::optional<FieldFailure> Read(OperationParams& p) const;
    std::optional<FieldFailure> Next(OperationParams& p) const;
};

struct SeriesObjectFields {
    enum Control {
        kColor = 1054, kFileName = 1055, kBrowse = 1056, kMinArea = 1090, kMaxArea = 1091, kMinMajor = 1092
    };
    std::array<bool, kMetricBoxCount> metrics{true, true, true, true, true, true, true, true, true, true, true};
    CColorVal outline{255, 0, 0};  // shown only: the run does not draw outlines
    std::string fileName;
    // The Find Objects wizard's other choices: area limits as typed, the
    // edge, own pixels and summary boxes.
    std::string minArea;
    std::string maxArea;
    std::string minMajor = "3";
    CObjectOptions options;
    // Next: a file name is required, the area limits and the shortest major
    // axis must be numbers of 0 or more; the mask is built from the boxes.
    std::optional<FieldFailure> Next(OperationParams& p) const;
};

struct SeriesProcessFields {
    enum Control {
        kColorGroup = 1057, kIntensityLabel = 1058, kRedLabel = 1059, kGreenLabel = 1060, kBlueLabel = 1061,
        kModeGroup = 1062, kBetween = 1063, kAnd = 1064, kToWhite = 1065, kComponentLabel = 1066,
        kThresholdLabel = 1067, kFillLabel = 1068, kEditGroup = 1069, kIntensity = 1070, kRed = 1071,
        kGreen = 1072, kBlue = 1073, kPalette = 1074, kInside = 1075, kOutside = 1076, kLower = 1077,
        kUpper = 1078, kComponent = 1079, kThreshold = 1080, kFill = 1081, kBelow = 1082, kAbove = 1083
    };
    std::string intensity = "0";
    std::string red = "0";
    std::string green = "0";
    std::string blue = "0";
    int boundMode = 1;  // 0 inside the AOI, 1 outside
    std::string lower = "100";
    std::string upper = "150";
    int component = 3;  // 0 Red, 1 Green, 2 Blue, 3 RGB
    std::string threshold = "127";
    std::string fill = "0";
    int editAbove = 0;  // 0 below, 1 above
    std::optional<FieldFailure> Read(OperationParams& p) const;
    // The Palette's OK: the three components take the chosen colour.
    void SetColor(CColorVal color);
};
