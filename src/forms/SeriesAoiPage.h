// The series wizard's Select AOI page: the preview box, the tracker kept
// over the displayed image, and its conversion to the first image's AOI.
#pragma once

#include "forms/Measurement.h"
#include "forms/PreviewPicModel.h"

// Origin (5, 5), at most 400 wide and 300 high.
void SetSeriesAoiBox(PreviewPicModel& picture);
// The tracker over the whole displayed image, after a new file selection.
AoiRect WholePictureTracker(const PreviewPicModel& picture);
// A moved or resized tracker that leaves the displayed image is put back.
AoiRect KeepTrackerOnPicture(const AoiRect& before, const AoiRect& after, const PreviewPicModel& picture);
// Next: the tracker in image pixels, truncated and clamped into the image.
AoiRect TrackerToImage(const AoiRect& tracker, const PreviewPicModel& picture, int width, int height);
