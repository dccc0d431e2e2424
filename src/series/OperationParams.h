// The parameters of every operation, with the defaults of the dialogs and the
// series wizard. Dialogs, the wizard, the CLI and the series engine fill and
// read this one record.
#pragma once

#include <string>

struct OperationParams {
    // Morphology
    int morphSize = 3;
    int morphDirection = 0;  // 0 Omnidirectional, 1 Horizontal, 2 Vertical, 3 Diagonal
    int repetitions = 1;
    // Filters
    int filterSize = 3;
    int prewittDirection = 0;  // 0 North .. 7 Northwest
    double boost = 1.0;
    int clutterThreshold = 150;
    int significanceThreshold = 20;
    int background = -1;  // 0 or 255; anything else asks the detector
    std::string kernelFile;
    // Transforms
    double theta = 90.0;
    double scaleX = 100.0;
    double scaleY = 100.0;
    int interpolation = 1;  // 0 nearest neighbour, 1 bilinear
    // Find Objects
    std::string resultsFile;
    int metricMask = 2047;
    std::string overlayFile;  // empty: no overlay image
    // Area limits of the reported objects (0: none), in pixels or the unit
    // squared; leaving out the edge's objects; measuring their own pixels;
    // the summary line.
    double minArea = 0.0;
    double maxArea = 0.0;
    // Each limit's unit: "" for the image's own (pixels, or its unit squared
    // when calibrated), "px" for pixels, or a calibrated unit ("µm") whose
    // square the limit is in, converted to the image's unit when it runs.
    std::string minAreaUnit;
    std::string maxAreaUnit;
    // Objects whose major axis is shorter are not reported.
    double minMajor = 3.0;
    bool excludeEdge = false;
    bool ownPixels = false;
    bool summary = false;
    // Bound, Brightness Slice, Threshold
    int intensity = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    int boundMode = 1;  // 0 inside the AOI, 1 outside
    int lowerLimit = 100;
    int upperLimit = 150;
    int threshold = 127;
    int fillValue = 0;
    int editAbove = 0;  // 0 below, 1 above
    int component = 3;  // 0 Red, 1 Green, 2 Blue, 3 RGB
    // Format of the series' first image, which decides Bound's fill colour;
    // -1 lets each image's own format decide.
    int firstImageFormat = -1;
    // Histogram combinations
    // 0 red, 1 green, 2 blue; a grayscale image has all three treated. -1:
    // none named (a grayscale image's step), which runs as red.
    int channel = 0;
    int offset = 0;
    // Frequency domain
    int windowType = 0;  // 0 Hamming, 1 Hann, 2 Cosine, 3 Triangular, 4 Rolloff
    double alpha = 0.5;
    int percent = 10;
    int filterKind = 0;  // 0 low pass, 1 high pass
    int slider = 100;
    bool customEllipse = false;
    int ellipseLeft = 0, ellipseTop = 0, ellipseRight = 0, ellipseBottom = 0;
};
