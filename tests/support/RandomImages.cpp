#include "support/RandomImages.h"

CImage RandomImage(std::mt19937& random, bool grey, int n, int largest)
{
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int half = n / 2;
    CImage image;
    image.BlankImage(between(2 * half + 2, largest), between(2 * half + 2, largest), CColorVal(0, 0, 0));
    image.format = grey ? FORMAT_GRAYSCALE : FORMAT_RGB;
    // Long runs of one value make ties and flat areas, which random noise alone
    // rarely has.
    const int flat = between(0, 3);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const int v = between(0, 255);
            image.pixelValueArray[y][x] = grey || flat == 0 ? CColorVal(v, v, v)
                                                            : CColorVal(v, between(0, 255), between(0, 255));
            if (flat == 1 && x > 0 && between(0, 3) > 0) image.pixelValueArray[y][x] = image.pixelValueArray[y][x - 1];
        }
    image.aoiLeft = between(half, image.width - half - 2);
    image.aoiRight = between(image.aoiLeft + 1, image.width - half - 1);
    image.aoiTop = between(half, image.height - half - 2);
    image.aoiBottom = between(image.aoiTop + 1, image.height - half - 1);
    return image;
}
