// CProfileDlg without its window: the samples along the measured line,
// their means and deviations, the statistics text, the curves' points in
// the graph and the read-out under the mouse.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "forms/Measurement.h"
#include "image/Image.h"

// Graph rectangle in dialog client pixels.
constexpr int kProfileGraphLeft = 35;
constexpr int kProfileGraphTop = 20;
constexpr int kProfileGraphWidth = 250;
constexpr int kProfileGraphHeight = 175;

// The pixels along the line from p1 towards p2, in single precision. angle
// (from CalculateAngle) decides between the steep and the shallow walk; a
// vertical line, also one of zero length, walks its rows.
std::vector<CColorVal> SampleProfile(const CImage& image, ImagePoint p1, ImagePoint p2, double angle);

struct ProfileStatistics {
    double mean[3] = {0, 0, 0};       // red, green, blue
    double deviation[3] = {0, 0, 0};  // population form
};
ProfileStatistics ComputeProfileStatistics(const std::vector<CColorVal>& samples);

class ProfileModel {
public:
    // Samples and builds the statistics text, as the dialog does on opening.
    void Open(const CImage& image, ImagePoint p1, ImagePoint p2, double angle, const std::string& measurement);

    // The check boxes: disabled for a grayscale image, enabled and checked
    // for an RGB one. Unchecking hides a curve and leaves the text.
    bool BoxesEnabled() const { return format_ == FORMAT_RGB; }
    bool checked[3] = {true, true, true};
    // Which curves are drawn: the red component alone (in blue) for a
    // grayscale image, each checked channel for an RGB one.
    bool CurveShown(int channel) const;

    const std::vector<CColorVal>& Samples() const { return samples_; }
    const ProfileStatistics& Statistics() const { return stats_; }
    const std::string& StatisticsText() const { return statisticsText_; }
    const std::string& MeasurementText() const { return measurement_; }
    // The curve of one channel in dialog client pixels; one point for a
    // single sample.
    std::vector<ImagePoint> Curve(int channel) const;

    // The graph's vertical range: 0..255, or with fitToSamples the lowest
    // to the highest level of the curves shown (one level wide at least).
    bool fitToSamples = false;
    int RangeLow() const;
    int RangeHigh() const;
    // "Intensity:  %d" for a point in the graph on the current range,
    // "Intensity:" elsewhere.
    std::string ReadOut(int x, int y) const;
    // One line per sample: index, distance from the first point in pixels
    // ("%.2f"), R, G, B, separated by separator and ended by "\n".
    std::string SamplesText(char separator) const;

private:
    // The lowest and highest level of the curves shown.
    std::pair<int, int> ShownExtremes() const;

    ImagePoint p1_{}, p2_{};
    int format_ = FORMAT_RGB;
    std::vector<CColorVal> samples_;
    ProfileStatistics stats_;
    std::string statisticsText_;
    std::string measurement_;
};

enum class ProfileHandler { Opening, Painting, MouseMove };
enum class ProfileMissing { MainFrame, ChildWindow, Document };
// What a handler shows when it cannot find the main frame, the active child
// window or the active document; the dialog then closes as cancelled.
std::string ProfileMissingText(ProfileHandler handler, ProfileMissing missing);

// "Intensity:  %d" for a point in the graph, "Intensity:" elsewhere.
std::string ProfileReadout(int x, int y);
