#include "support/PixelGrid.h"

#include "support/TestImages.h"

CImage GreyFromGrid(const Grid& grid)
{
    return MakeGrey(static_cast<int>(grid[0].size()), static_cast<int>(grid.size()),
                    [&](int x, int y) { return grid[y][x]; });
}

Grid LevelsOf(const CImage& image)
{
    Grid grid(image.height, std::vector<int>(image.width));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) grid[y][x] = image.pixelValueArray[y][x].red;
    return grid;
}

void SetAoi(CImage& image, int left, int top, int right, int bottom)
{
    image.aoiLeft = left;
    image.aoiTop = top;
    image.aoiRight = right;
    image.aoiBottom = bottom;
}
