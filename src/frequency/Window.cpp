// Window: fades the AOI towards its edges by a separable weight.
#include <cstdint>
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

    // The same weight on each component keeps a grey pixel grey: a grey
    // plane is weighted byte by byte and stays one.
    GreyRows* plane = pixelValueArray.HoldsGrey() ? pixelValueArray.WritableGrey() : nullptr;
    for (int i = 0; i < aoiHeight; ++i) {
        const double rowWeight = rowWeights[i];
        // Truncated toward zero; negative weights end at 0 through the clamp.
        const auto weighted = [&](int j, int level) {
            const double weight = columnWeights[j] * rowWeight;
            return CColorVal::Clamp(static_cast<int>(weight * level));
        };
        if (plane) {
            std::uint8_t* row = (*plane)[aoiTop + i] + aoiLeft;
            for (int j = 0; j < aoiWidth; ++j) row[j] = weighted(j, row[j]);
            continue;
        }
        CColorVal* row = pixelValueArray[aoiTop + i] + aoiLeft;
        for (int j = 0; j < aoiWidth; ++j) {
            CColorVal& p = row[j];
            p = CColorVal(weighted(j, p.red), weighted(j, p.green), weighted(j, p.blue));
        }
    }
    return 0;
}
