// Rectangle tracker: handle squares, hit test and drag.
#include "forms/RectTracker.h"

#include <utility>

namespace {

bool Within(const AoiRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

AoiRect TrackerHandle(const AoiRect& r, TrackerHit handle)
{
    constexpr int n = kTrackerHandleSize;
    const int midX = (r.left + r.right - n) / 2;
    const int midY = (r.top + r.bottom - n) / 2;
    int x = midX;
    int y = midY;
    switch (handle) {
    case TrackerHit::TopLeft: x = r.left - n, y = r.top - n; break;
    case TrackerHit::TopRight: x = r.right, y = r.top - n; break;
    case TrackerHit::BottomRight: x = r.right, y = r.bottom; break;
    case TrackerHit::BottomLeft: x = r.left - n, y = r.bottom; break;
    case TrackerHit::Top: y = r.top - n; break;
    case TrackerHit::Right: x = r.right; break;
    case TrackerHit::Bottom: y = r.bottom; break;
    case TrackerHit::Left: x = r.left - n; break;
    case TrackerHit::Inside: return r;
    }
    return {x, y, x + n, y + n};
}

std::optional<TrackerHit> HitTracker(const AoiRect& rect, int x, int y)
{
    for (int h = 0; h < kTrackerHandleCount; ++h)
        if (Within(TrackerHandle(rect, static_cast<TrackerHit>(h)), x, y)) return static_cast<TrackerHit>(h);
    if (Within(rect, x, y)) return TrackerHit::Inside;
    return std::nullopt;
}

AoiRect TrackTo(const AoiRect& start, TrackerHit grabbed, int dx, int dy)
{
    AoiRect r = start;
    const bool left = grabbed == TrackerHit::TopLeft || grabbed == TrackerHit::BottomLeft || grabbed == TrackerHit::Left;
    const bool right =
        grabbed == TrackerHit::TopRight || grabbed == TrackerHit::BottomRight || grabbed == TrackerHit::Right;
    const bool top = grabbed == TrackerHit::TopLeft || grabbed == TrackerHit::TopRight || grabbed == TrackerHit::Top;
    const bool bottom =
        grabbed == TrackerHit::BottomLeft || grabbed == TrackerHit::BottomRight || grabbed == TrackerHit::Bottom;
    const bool inside = grabbed == TrackerHit::Inside;
    if (inside || left) r.left += dx;
    if (inside || right) r.right += dx;
    if (inside || top) r.top += dy;
    if (inside || bottom) r.bottom += dy;
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}
