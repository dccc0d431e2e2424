// Finding an object's start pixel and following its outer boundary clockwise
// through the 8 neighbour directions.
#include <algorithm>

#include "image/Image.h"

namespace {

// Index direction - 1: N, NE, E, SE, S, SW, W, NW.
constexpr int kStepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kStepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

}  // namespace

bool CImage::FindStartPixel(const PixelRows& work, int background, int& x, int& y) const
{
    for (int row = y, column = x; row <= aoiBottom; ++row, column = aoiLeft) {
        const CColorVal* pixels = work[row];
        for (; column <= aoiRight; ++column)
            if (pixels[column].Luminance() != background) {
                x = column;
                y = row;
                return true;
            }
    }
    return false;
}

bool CImage::StepBlocked(const PixelRows& work, int background, int x, int y, int direction) const
{
    const int nx = x + kStepX[direction - 1];
    const int ny = y + kStepY[direction - 1];
    if (nx < aoiLeft || nx > aoiRight || ny < aoiTop || ny > aoiBottom) return true;
    return work[ny][nx].Luminance() == background;
}

int CImage::NextBoundaryPoint(const PixelRows& work, int background, int& x, int& y, int firstDirection) const
{
    for (int i = 0; i < 8; ++i) {
        const int direction = (firstDirection - 1 + i) % 8 + 1;
        if (!StepBlocked(work, background, x, y, direction)) {
            x += kStepX[direction - 1];
            y += kStepY[direction - 1];
            return direction;
        }
    }
    return 0;
}

CFoundObject CImage::TraceObject(PixelRows& work, int background, int x, int y, bool ownPixels) const
{
    CFoundObject object;
    object.ownPixelsOnly = ownPixels;
    object.AddBoundaryPoint(x, y, *this, work, background);
    int firstDirection = 1;
    for (;;) {
        const int moved = NextBoundaryPoint(work, background, x, y, firstDirection);
        // The next search starts 90 degrees counter-clockwise from the move.
        if (moved) firstDirection = (moved + 5) % 8 + 1;
        if (object.AddBoundaryPoint(x, y, *this, work, background)) return object;
    }
}

bool CFoundObject::AddBoundaryPoint(int x, int y, const CImage& image, PixelRows& work, int background)
{
    if (x == image.aoiLeft || x == image.aoiRight || y == image.aoiTop || y == image.aoiBottom) partial = true;
    if (!boundaryPoints.empty() && boundaryPoints.front() == CBoundaryPoint{x, y}) {
        ComputeMetrics(work, background);
        return true;
    }
    if (boundaryPoints.empty()) {
        left = right = x;
        top = bottom = y;
    } else {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    boundaryPoints.push_back({x, y});
    return false;
}
