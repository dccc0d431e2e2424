// Images drawn as text for the object tests, and a run of Find Objects that
// returns the results file.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

// A GRAYSCALE image of the rows: '.' is the background level, '#' the object
// level, 'o' grey 100.
CImage Sketch(const std::vector<std::string>& rows, int object = 200, int background = 0);

struct FindRun {
    int status;
    std::string file;  // the results file's bytes
};

// CentroidDetermination into a temporary results file.
FindRun FindObjects(CImage& image, int metricFlags = METRIC_ALL, int background = 0,
                    const CObjectOptions& options = {});
