// DeleteEllipseFrequencies: zeroes the spectrum values shown inside or
// outside the ellipse of the AOI, each with its point-mirrored partner.
#include "frequency/FilterEllipse.h"
#include "image/Image.h"

int CImage::DeleteEllipseFrequencies(bool outside)
{
    if (!dataArray.present()) return 0;  // an absent buffer reads as zeros
    const FilterEllipse ellipse{aoiLeft, aoiTop, aoiRight, aoiBottom};
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    // Display pixel (x, y) shows data row (y + H/2) mod H, column (x + W/2)
    // mod W; its partner is display pixel (W - 1 - x, H - 1 - y).
    for (int y = 0; y < height; ++y) {
        FrequencyBuffer::Value* shown = dataArray[(y + halfHeight) % height];
        FrequencyBuffer::Value* mirrored = dataArray[(height - 1 - y + halfHeight) % height];
        for (int x = 0; x < width; ++x) {
            if (ellipse.Contains(x, y) == outside) continue;
            shown[(x + halfWidth) % width] = 0;
            mirrored[(width - 1 - x + halfWidth) % width] = 0;
        }
    }
    return 0;
}
