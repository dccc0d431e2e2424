// A rectangle the user moves by grabbing it inside and resizes by one of
// eight square handles drawn just outside its corners and side middles.
#pragma once

#include <optional>

#include "forms/Measurement.h"

enum class TrackerHit { TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left, Inside };

constexpr int kTrackerHandleSize = 7;
constexpr int kTrackerHandleCount = 8;

// The square of a handle (TopLeft .. Left) around rect (right and bottom
// exclusive), as {left, top, right, bottom} with right and bottom exclusive.
AoiRect TrackerHandle(const AoiRect& rect, TrackerHit handle);
// What a press at (x, y) grabs: a handle first, then the inside; none elsewhere.
std::optional<TrackerHit> HitTracker(const AoiRect& rect, int x, int y);
// The rectangle after a drag by (dx, dy) of what was grabbed: moved, or the
// grabbed sides moved; a side dragged across the opposite one swaps them.
AoiRect TrackTo(const AoiRect& start, TrackerHit grabbed, int dx, int dy);
