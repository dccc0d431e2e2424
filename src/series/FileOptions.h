// Reading the options of how images are read and written: --range,
// --quality, --pixel-size with --unit, and --format. Every front end takes
// them through here, so each refuses a value with the same reason.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/Calibration.h"
#include "image/ImageFormat.h"
#include "series/StepOptions.h"

// --range full|file|LO,HI; none when not given.
std::optional<SampleRange> TakeRange(std::vector<StepOption>& options);
// --quality 1..100; the writers' default when not given.
int TakeQuality(std::vector<StepOption>& options);
// --pixel-size W[,H] with --unit U; none when neither is given.
std::optional<CCalibration> TakeCalibration(std::vector<StepOption>& options);
// --format bmp|png|tif|jpg; none when not given.
std::optional<FileFormat> TakeFormat(std::vector<StepOption>& options);

// Reads with the range given while it lives, the one before again after.
class ScopedSampleRange {
public:
    explicit ScopedSampleRange(const std::optional<SampleRange>& range);
    ~ScopedSampleRange();
    ScopedSampleRange(const ScopedSampleRange&) = delete;
    ScopedSampleRange& operator=(const ScopedSampleRange&) = delete;

private:
    SampleRange before_;
};
