// Results rows' outlines on their image and the hit test of a click.
#include "forms/ObjectOutline.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Tenths(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

bool CObjectOutline::Contains(int x, int y) const
{
    if (x < left || x > right || y < top || y > bottom) return false;
    if (boundary.empty()) return true;
    // Consecutive boundary points are 8-neighbours, so a pixel that is not
    // one of them lies on no edge and the crossing count is unambiguous.
    bool inside = false;
    for (std::size_t i = 0, j = boundary.size() - 1; i < boundary.size(); j = i++) {
        const CBoundaryPoint& a = boundary[i];
        const CBoundaryPoint& b = boundary[j];
        if (a.x == x && a.y == y) return true;
        if ((a.y > y) != (b.y > y)) {
            const double crossing = a.x + static_cast<double>(y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < crossing) inside = !inside;
        }
    }
    return inside;
}

bool ObjectsMatch(const CResultsTable& table, const std::vector<int>& rows, const CImage& image)
{
    const int x = table.ColumnOf("x"), y = table.ColumnOf("y");
    if (x < 0 || y < 0 || rows.empty()) return false;
    for (int row : rows) {
        const int number = table.ObjectNumber(row);
        if (number < 1 || number > image.ObjectCount()) return false;
        const CFoundObject& object = image.objects[number - 1];
        if (table.Text(row, x) != Tenths(object.centroidX) || table.Text(row, y) != Tenths(object.centroidY))
            return false;
    }
    return true;
}

std::optional<CObjectOutline> RowOutline(const CResultsTable& table, int row, const CImage* objects)
{
    CObjectOutline outline;
    outline.id = table.RowId(row);
    const int number = table.ObjectNumber(row);
    if (objects != nullptr && number >= 1 && number <= objects->ObjectCount()) {
        const CFoundObject& object = objects->objects[number - 1];
        outline.boundary = object.boundaryPoints;
        outline.left = object.left;
        outline.top = object.top;
        outline.right = object.right;
        outline.bottom = object.bottom;
        return outline;
    }
    const auto value = [&](const char* name) {
        const int column = table.ColumnOf(name);
        return column < 0 ? std::nan("") : table.Value(row, column);
    };
    const double left = value("left"), top = value("top"), right = value("right"), bottom = value("bottom");
    if (!std::isnan(left) && !std::isnan(top) && !std::isnan(right) && !std::isnan(bottom)) {
        outline.left = static_cast<int>(left);
        outline.top = static_cast<int>(top);
        outline.right = static_cast<int>(right);
        outline.bottom = static_cast<int>(bottom);
        return outline;
    }
    const double x = value("x"), y = value("y");
    if (std::isnan(x) || std::isnan(y)) return std::nullopt;
    outline.left = static_cast<int>(std::lround(x)) - kCentroidMark;
    outline.top = static_cast<int>(std::lround(y)) - kCentroidMark;
    outline.right = outline.left + 2 * kCentroidMark;
    outline.bottom = outline.top + 2 * kCentroidMark;
    return outline;
}

int OutlineAt(const std::vector<CObjectOutline>& outlines, int x, int y)
{
    int best = -1;
    long long bestArea = 0;
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const CObjectOutline& o = outlines[i];
        if (!o.Contains(x, y)) continue;
        const long long area = static_cast<long long>(o.right - o.left + 1) * (o.bottom - o.top + 1);
        if (best < 0 || area < bestArea) {
            best = static_cast<int>(i);
            bestArea = area;
        }
    }
    return best;
}
