// The eleven metric check boxes of the Find Objects wizard and the series
// wizard, in the order shown, with the flag each sets.
#pragma once

#include <array>

struct MetricBox {
    const char* label;
    int seriesControl;  // the series wizard's check box id
    int flag;           // image/FoundObject.h MetricFlag
};

constexpr int kMetricBoxCount = 11;
const std::array<MetricBox, kMetricBoxCount>& MetricBoxes();
// The mask rebuilt from zero: each checked box adds its flag.
int MetricMaskFromBoxes(const std::array<bool, kMetricBoxCount>& checked);
