#include "support/GreyRows.h"

#include "support/TestImages.h"

CImage GreyFromRows(const Rows& rows)
{
    return MakeGrey(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                    [&](int x, int y) { return rows[y][x]; });
}

Rows RedRows(const CImage& image)
{
    Rows rows(image.height, std::vector<int>(image.width));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) rows[y][x] = image.pixelValueArray[y][x].red;
    return rows;
}
