// The Find Objects wizard without its window: the metric choices with the
// outline colour, Go on the document's image and the results text shown.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/MetricBoxes.h"
#include "forms/OperationDialog.h"
#include "image/FoundObject.h"
#include "series/OperationStep.h"

class CImage;

struct FindObjectsMetrics {
    FindObjectsMetrics() { checked.fill(true); }
    // Leaving the page with Next: the flags rebuilt from the boxes.
    void Rebuild() { flags = MetricMaskFromBoxes(checked); }

    std::array<bool, kMetricBoxCount> checked;  // in MetricBoxes() order
    int flags = 0x7FF;
    std::uint32_t outlineColor = 255;  // 0x00BBGGRR, the image's colour when the wizard opens
    CObjectOptions options;            // all off unless chosen on the first page
    std::string minAreaText;           // empty or 0: no limit
    std::string maxAreaText;
    std::string minMajorText = "3";    // empty: the default, 3
    // The first limit text that is not a number of 0 or more: its index (0
    // minimum area, 1 maximum area, 2 shortest major axis) and message; none
    // when all can be taken.
    std::optional<FieldFailure> LimitFailure() const;
    // Leaving the first page: the area limits and the shortest major axis
    // from their texts; false, with the refusal shown, when one cannot be
    // taken.
    bool TakeLimits();
};

// The choices beyond the metrics that the wizard and the series page offer:
// each box's label and the option it sets, in order.
struct ObjectOptionBox {
    const char* label;
    bool CObjectOptions::*field;
};
const std::array<ObjectOptionBox, 3>& ObjectOptionBoxes();
// The area field labels for areas in unit ("pixels", "mm²").
std::string MinAreaLabel(const std::string& unit);
std::string MaxAreaLabel(const std::string& unit);
// The unit of the area limits: pixels, or the calibration's unit squared.
std::string AreaUnit(const CCalibration& calibration);
// An area limit from its text (empty: no limit, 0); the refusal when it is
// not a number of 0 or more, leaving limit as it was.
std::optional<std::string> TakeAreaLimit(const std::string& text, double& limit);
// The shortest major axis reported, the same way (empty: the default, 3).
std::optional<std::string> TakeMajorLimit(const std::string& text, double& limit);
// The shortest major axis field's label and the line that explains it.
inline constexpr const char* kMinMajorLabel = "Shortest major axis reported (pixels):";
inline constexpr const char* kMinMajorNote =
    "Objects with a shorter major axis are not reported; 0 reports every object, single pixels too.";

// The file shown with each line end as "\r\n" and each "," as a tab, or
// why it cannot be shown.
std::string ResultsText(const std::string& path);

enum class GoResult {
    NoFile,      // "Please enter an output file" has been shown
    NoDocument,  // nothing to search
    Failed,      // the image's error text has been shown
    Found        // objects and outline colour stored, results read back
};

// Go: searches image (null without a document) with background detection,
// writing path; on success the image takes the outline colour, redraw
// shows it, and results takes the file's text as read back.
// The step Go's search is recorded as: the results file by name, so that a
// replay writes beside its own image, and the area limits in the image's
// unit, or in pixels when it has none, so that they mean the same there.
OperationStep FindObjectsStep(const std::string& path, const FindObjectsMetrics& metrics,
                              const CCalibration& calibration);

GoResult RunGo(CImage* image, const std::string& path, const FindObjectsMetrics& metrics,
               const std::function<void()>& redraw, std::string& results);
