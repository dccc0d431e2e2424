// Metric check boxes: labels, ids and flags.
#include "forms/MetricBoxes.h"

#include "image/FoundObject.h"

const std::array<MetricBox, kMetricBoxCount>& MetricBoxes()
{
    // Orientation angle is shown before Partiality but has the later flag.
    static const std::array<MetricBox, kMetricBoxCount> boxes = {{
        {"Area", 1043, METRIC_AREA},
        {"Bounding box", 1044, METRIC_BOUNDING_BOX},
        {"Circumference", 1045, METRIC_CIRCUMFERENCE},
        {"Color statistics", 1046, METRIC_COLOR},
        {"Elongation", 1047, METRIC_ELONGATION},
        {"Major axis length", 1048, METRIC_MAJOR_AXIS},
        {"Minor axis length", 1049, METRIC_MINOR_AXIS},
        {"Orientation angle", 1050, METRIC_THETA},
        {"Partiality", 1051, METRIC_PARTIAL},
        {"Perimeter count", 1052, METRIC_PERIMETER},
        {"Roundness", 1053, METRIC_ROUNDNESS},
    }};
    return boxes;
}

int MetricMaskFromBoxes(const std::array<bool, kMetricBoxCount>& checked)
{
    int mask = 0;
    for (int i = 0; i < kMetricBoxCount; ++i)
        if (checked[i]) mask |= MetricBoxes()[i].flag;
    return mask;
}
