// Window: fades the AOI towards its edges by a separable weight.
#include <vector>

#include "frequency/WindowWeights.h"
#include "image/Image.h"

int CImage::Window(int type, double alpha, int percent)
{
    const int aoiWidth = aoiRight - aoiLeft + 1;
    const int aoiHeight = aoiBottom - aoiTop + 1;
    std::vector<double> rowWeights, columnWeights;
    try {
        rowWeights.resize(aoiHeight > 0 ? aoiHeight : 0);
        columnWeights.resize(aoiWidth > 0 ? aoiWidth : 0);
    } catch (const std::exception&) {
        errorMessage = "CImage::Window cannot allocate sufficient memory.";
        return -1;
    }
    if (aoiWidth < 2 || aoiHeight < 2) {
        errorMessage =
            "The area of interest must be at least\ntwo pixels in each direction to\nperform a windowing function.";
        return -1;
    }
    const long long percentOf = percent;
    if (type == WINDOW_ROLLOFF && (percentOf * aoiHeight < 150 || percentOf * aoiWidth < 150)) {
        errorMessage =
            "There aren't enough pixels to perform a\nrolloff window. Enlarge the area of interest\n"
            "or the percent of the image to rolloff.";
        return -1;
    }
    WindowWeights(type, alpha, percent, aoiHeight, rowWeights.data());
    WindowWeights(type, alpha, percent, aoiWidth, columnWeights.data());

    for (int i = 0; i < aoiHeight; ++i) {
        CColorVal* row = pixelValueArray[aoiTop + i] + aoiLeft;
        const double rowWeight = rowWeights[i];
        for (int j = 0; j < aoiWidth; ++j) {
            // Truncated toward zero; negative weights end at 0 through the clamp.
            const double weight = columnWeights[j] * rowWeight;
            CColorVal& p = row[j];
            p = CColorVal(static_cast<int>(weight * p.red), static_cast<int>(weight * p.green),
                          static_cast<int>(weight * p.blue));
        }
    }
    return 0;
}
