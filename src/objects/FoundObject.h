// CFoundObject: one object found on a uniform background, with its boundary
// and metrics.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CBoundaryPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CBoundaryPoint&, const CBoundaryPoint&) = default;
};

struct CChannelStats {
    std::uint8_t min = 0;
    std::uint8_t max = 0;
    double mean = 0.0;
    double deviation = 0.0;
};

struct CFoundObject {
    int area = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // bounding box, inclusive
    double centroidX = 0.0, centroidY = 0.0;
    double circumference = 0.0;
    double elongation = 0.0;
    double edgeSlopeAcross = 0.0;
    double boxWidthSpan = 0.0;
    double boxHeightSpan = 0.0;
    double edgeSlopeDown = 0.0;
    double majorAxis = 0.0;
    double minorAxis = 0.0;
    bool partial = false;
    std::vector<CBoundaryPoint> boundaryPoints;
    double roundness = 0.0;
    double theta = 0.0;
    CChannelStats red, green, blue;
    std::string separator = ",";

    CFoundObject() { boundaryPoints.reserve(100); }
};
