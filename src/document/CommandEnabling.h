// The main frame's rules that enable image and zoom commands for the active
// image window.
#pragma once

class CImage;

namespace enabling {

// Zoom limits: 64 is the largest factor reached, 1/64 the smallest.
bool CanZoomIn(float zoom);
bool CanZoomOut(float zoom);
bool CanZoomOneToOne(float zoom);

// Whether the frame's rules allow command id for the active image (null when
// no image window is active). Commands the rules do not govern answer true.
bool FrameAllows(int id, const CImage* active, float zoom);

// Whether FrameAllows decides this id.
bool FrameGoverns(int id);

}  // namespace enabling
