// CFoundObject: one object found on a uniform background, with its boundary,
// its metrics and its row of the object results file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image/Calibration.h"
#include "image/PixelRows.h"

class CImage;

// Find Objects' choices beyond the metric flags, all off by default.
struct CObjectOptions {
    // Reported objects have an area of at least minArea and at most maxArea
    // (0: no limit), in pixels or, on a calibrated image, in its unit squared.
    double minArea = 0.0;
    double maxArea = 0.0;
    bool excludeEdge = false;  // leave out the partial objects, which touch the AOI's edge
    // Area, centroid and colour statistics over the object's own 8-connected
    // pixels instead of every non-background pixel of its bounding box.
    bool ownPixels = false;
    bool summary = false;  // a last line "# objects: N, total area: A, mean area: M"
    // Objects with a shorter major axis are erased but not reported: single
    // pixels and specks would swamp the results.
    double minMajor = 3.0;
};

// Metric flags: the columns of the results file. Every metric is always
// computed; the flags only choose what is written.
enum MetricFlag {
    METRIC_AREA = 0x001,
    METRIC_BOUNDING_BOX = 0x002,
    METRIC_CIRCUMFERENCE = 0x004,
    METRIC_COLOR = 0x008,
    METRIC_ELONGATION = 0x010,
    METRIC_MAJOR_AXIS = 0x020,
    METRIC_MINOR_AXIS = 0x040,
    METRIC_PARTIAL = 0x080,
    METRIC_PERIMETER = 0x100,
    METRIC_THETA = 0x200,
    METRIC_ROUNDNESS = 0x400,
    METRIC_ALL = 0x7FF,
};

struct CBoundaryPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CBoundaryPoint&, const CBoundaryPoint&) = default;
};

// Extremes, mean and population deviation of one colour component over the
// object's pixels; a grayscale image's grey statistics are its red ones.
struct CChannelStats {
    std::uint8_t min = 0;
    std::uint8_t max = 0;
    double mean = 0.0;
    double deviation = 0.0;
};

struct CFoundObject {
    int area = 0;                                   // non-background pixels inside the bounding box
    int left = 0, top = 0, right = 0, bottom = 0;  // extremes of the boundary points, inclusive
    double centroidX = 0.0, centroidY = 0.0;       // weighted by the distance from the background level
    double circumference = 0.0;                    // chain length of the closed boundary
    double elongation = 0.0;                       // minor / major
    double edgeSlopeAcross = 0.0;  // mean row in the box's right column minus that in its left column
    double boxWidthSpan = 0.0;     // right - left
    double boxHeightSpan = 0.0;    // bottom - top
    double edgeSlopeDown = 0.0;    // mean column in the box's bottom row minus that in its top row
    double majorAxis = 0.0;
    double minorAxis = 0.0;
    bool partial = false;  // a boundary point lies on the AOI's border
    // Tracing order, start point first; the closing return is not repeated.
    std::vector<CBoundaryPoint> boundaryPoints;
    double roundness = 0.0;  // 4 pi area / circumference^2
    double theta = 0.0;      // orientation in degrees
    CChannelStats red, green, blue;
    std::string separator = ",";
    bool ownPixelsOnly = false;  // measure only the pixels connected to the start point

    CFoundObject() { boundaryPoints.reserve(100); }

    int PerimeterCount() const { return static_cast<int>(boundaryPoints.size()); }

    // Takes the next traced point, with the image's AOI for the partial
    // flag. A return to the first point closes the boundary: the metrics are
    // computed, the object is erased from work and true is returned.
    // Work is colour rows or a grey plane.
    bool AddBoundaryPoint(int x, int y, const CImage& image, PixelRows& work, int background);
    bool AddBoundaryPoint(int x, int y, const CImage& image, GreyRows& work, int background);
    // Measures the object in the working copy (rows of its bounding box).
    void Measure(const PixelRows& work, int background);
    void Measure(const GreyRows& work, int background);
    // Measures the object in the working copy, then erases it from there.
    void ComputeMetrics(PixelRows& work, int background);
    void ComputeMetrics(GreyRows& work, int background);
    // Sets the 8-connected part of the bounding box that holds the start
    // point to the background level; other objects in the box stay.
    void EraseObject(PixelRows& work, int background) const;
    void EraseObject(GreyRows& work, int background) const;
    // That part as a mask over the bounding box, row by row (1: the object's).
    std::vector<std::uint8_t> OwnPixels(const PixelRows& work, int background) const;
    std::vector<std::uint8_t> OwnPixels(const GreyRows& work, int background) const;

    // The results file's header for these flags, without the line end; a
    // calibrated image adds its columns after them ("x_um", "area_um2").
    std::string HeaderLine(int metricFlags, bool grayscale, const CCalibration& calibration = {}) const;
    // The object's row, without the line end.
    std::string RowText(int number, bool grayscale, int metricFlags, const CCalibration& calibration = {}) const;
    // Writes the row, CR LF and flushes; false when the stream refused it.
    bool WriteRow(std::FILE* stream, int number, bool grayscale, int metricFlags,
                  const CCalibration& calibration = {}) const;
    // The area in the calibration's unit squared, or in pixels without one.
    double CalibratedArea(const CCalibration& calibration) const;
};

// A value in a calibrated unit as the results write it: six significant
// digits, in the C locale.
std::string CalibratedText(double value);

// The results file's last line with --summary, "# objects: N, total area: A,
// mean area: M": pixels with one decimal for the mean, or the calibrated unit
// squared as CalibratedText writes it.
std::string ObjectsSummaryLine(std::size_t count, double totalArea, bool calibrated);

// Writes text and CR LF, then flushes: the results file's lines end so on
// every platform. False when the stream refused any of it.
bool WriteResultsLine(std::FILE* stream, const std::string& text);
