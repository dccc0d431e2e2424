// Finding an object's start pixel and following its outer boundary clockwise
// through the 8 neighbour directions.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "image/Image.h"
#include "image/SampleRows.h"

namespace {

// Index direction - 1: N, NE, E, SE, S, SW, W, NW.
constexpr int kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// The first pixel from column x on that is not the background level; n
// when there is none. Grey levels are tested eight at a time.
int FirstObjectPixel(const CColorVal* pixels, int x, int n, int background)
{
    for (; x < n; ++x)
        if (pixels[x].Luminance() != background) return x;
    return n;
}

int FirstObjectPixel(const std::uint8_t* levels, int x, int n, int background)
{
    const std::uint64_t all = 0x0101010101010101u * static_cast<std::uint8_t>(background);
    // A level outside 0..255 is no pixel's.
    for (; x + 8 <= n && background == (background & 0xFF); x += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, levels + x, 8);
        if (const std::uint64_t differ = eight ^ all) return x + std::countr_zero(differ) / 8;
    }
    for (; x < n; ++x)
        if (levels[x] != background) return x;
    return n;
}

template <typename Rows>
bool FindStart(const CImage& image, const Rows& work, int background, int& x, int& y)
{
    for (int row = y, column = x; row <= image.aoiBottom; ++row, column = image.aoiLeft) {
        const int found = FirstObjectPixel(work[row], column, image.aoiRight + 1, background);
        if (found <= image.aoiRight) {
            x = found;
            y = row;
            return true;
        }
    }
    return false;
}

template <typename Rows>
bool Blocked(const CImage& image, const Rows& work, int background, int x, int y, int direction)
{
    const int nx = x + kStepX[direction - 1];
    const int ny = y + kStepY[direction - 1];
    if (nx < image.aoiLeft || nx > image.aoiRight || ny < image.aoiTop || ny > image.aoiBottom) return true;
    return Luminance(work[ny][nx]) == background;
}

template <typename Rows>
int NextPoint(const CImage& image, const Rows& work, int background, int& x, int& y, int firstDirection)
{
    for (int i = 0; i < 8; ++i) {
        const int direction = (firstDirection - 1 + i) % 8 + 1;
        if (!Blocked(image, work, background, x, y, direction)) {
            x += kStepX[direction - 1];
            y += kStepY[direction - 1];
            return direction;
        }
    }
    return 0;
}

template <typename Rows>
CFoundObject Trace(const CImage& image, Rows& work, int background, int x, int y, bool ownPixels)
{
    CFoundObject object;
    object.ownPixelsOnly = ownPixels;
    object.AddBoundaryPoint(x, y, image, work, background);
    int firstDirection = 1;
    for (;;) {
        const int moved = NextPoint(image, work, background, x, y, firstDirection);
        // The next search starts 90 degrees counter-clockwise from the move.
        if (moved) firstDirection = (moved + 5) % 8 + 1;
        if (object.AddBoundaryPoint(x, y, image, work, background)) return object;
    }
}

template <typename Rows>
bool AddPoint(CFoundObject& o, int x, int y, const CImage& image, Rows& work, int background)
{
    if (x == image.aoiLeft || x == image.aoiRight || y == image.aoiTop || y == image.aoiBottom) o.partial = true;
    if (!o.boundaryPoints.empty() && o.boundaryPoints.front() == CBoundaryPoint{x, y}) {
        o.ComputeMetrics(work, background);
        return true;
    }
    if (o.boundaryPoints.empty()) {
        o.left = o.right = x;
        o.top = o.bottom = y;
    } else {
        o.left = std::min(o.left, x);
        o.right = std::max(o.right, x);
        o.top = std::min(o.top, y);
        o.bottom = std::max(o.bottom, y);
    }
    o.boundaryPoints.push_back({x, y});
    return false;
}

}  // namespace

bool CImage::FindStartPixel(const PixelRows& work, int background, int& x, int& y) const
{
    return FindStart(*this, work, background, x, y);
}
bool CImage::FindStartPixel(const GreyRows& work, int background, int& x, int& y) const
{
    return FindStart(*this, work, background, x, y);
}
bool CImage::StepBlocked(const PixelRows& work, int background, int x, int y, int direction) const
{
    return Blocked(*this, work, background, x, y, direction);
}
bool CImage::StepBlocked(const GreyRows& work, int background, int x, int y, int direction) const
{
    return Blocked(*this, work, background, x, y, direction);
}
int CImage::NextBoundaryPoint(const PixelRows& work, int background, int& x, int& y, int firstDirection) const
{
    return NextPoint(*this, work, background, x, y, firstDirection);
}
int CImage::NextBoundaryPoint(const GreyRows& work, int background, int& x, int& y, int firstDirection) const
{
    return NextPoint(*this, work, background, x, y, firstDirection);
}
CFoundObject CImage::TraceObject(PixelRows& work, int background, int x, int y, bool ownPixels) const
{
    return Trace(*this, work, background, x, y, ownPixels);
}
CFoundObject CImage::TraceObject(GreyRows& work, int background, int x, int y, bool ownPixels) const
{
    return Trace(*this, work, background, x, y, ownPixels);
}
bool CFoundObject::AddBoundaryPoint(int x, int y, const CImage& image, PixelRows& work, int background)
{
    return AddPoint(*this, x, y, image, work, background);
}
bool CFoundObject::AddBoundaryPoint(int x, int y, const CImage& image, GreyRows& work, int background)
{
    return AddPoint(*this, x, y, image, work, background);
}
