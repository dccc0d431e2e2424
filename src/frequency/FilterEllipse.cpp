// The ellipse of frequencies a filter deletes.
#include "frequency/FilterEllipse.h"

#include <algorithm>
#include <cstdint>

FilterEllipse FilterEllipse::FromSlider(int width, int height, int position)
{
    const int ellipseWidth = static_cast<int>(width * position * 0.01);
    const int ellipseHeight = static_cast<int>(height * position * 0.01);
    const int left = static_cast<int>(width * 0.5) - ellipseWidth / 2;
    const int top = static_cast<int>(height * 0.5) - ellipseHeight / 2;
    return {std::max(left, 0), std::max(top, 0), std::min(left + ellipseWidth, width - 1),
            std::min(top + ellipseHeight, height - 1)};
}

bool FilterEllipse::Contains(int x, int y) const
{
    // In half pixels from the box's centre, with w and h the full box sides:
    // (dx / w)^2 + (dy / h)^2 <= 1, exactly in integers.
    const std::int64_t w = static_cast<std::int64_t>(right) + 1 - left;
    const std::int64_t h = static_cast<std::int64_t>(bottom) + 1 - top;
    if (w <= 0 || h <= 0) return false;
    const std::int64_t dx = 2 * static_cast<std::int64_t>(x) - left - right;
    const std::int64_t dy = 2 * static_cast<std::int64_t>(y) - top - bottom;
    using Wide = __int128;
    return Wide(dx) * dx * (h * h) + Wide(dy) * dy * (w * w) <= Wide(w * w) * (h * h);
}
