// Which controls the series wizard's parameter pages show or enable for
// the chosen operation and the first image's format.
#pragma once

#include <string>

struct SeriesParameterControls {
    // Morphological Parameters
    bool repetitions = false;
    // Filter parameters
    bool sizeEnabled = true;
    bool direction = false;
    bool boost = false;
    bool thresholds = false;  // significance and clutter
    // Parameters
    bool boundGroups = false;  // the colour and mode groups
    bool intensityEnabled = false;
    bool colorEnabled = false;  // Red, Green, Blue and Palette
    bool sliceLimits = false;
    bool editPixels = false;
    bool componentEnabled = false;
    // Transformation
    bool degrees = false;
    bool scale = false;  // X, Y and their "%" labels
};

SeriesParameterControls SeriesControlsFor(const std::string& operation, int firstImageFormat);
