// Clean: removes small, faint clutter from light objects on a black background.
#include <cstdint>
#include <utility>
#include <vector>

#include "image/Image.h"
#include "platform/UserInterface.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"

using namespace neighbourhood;

int CImage::Clean(int maskSize, int clutter, int significance, int background)
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::Clean() only defined on grayscale images";
        return -1;
    }
    // The mask spans x - half .. x + half: an even size reaches one pixel
    // further. A size below 1 has no neighbourhood at all.
    if (maskSize < 1) {
        errorMessage = "Size of clean mask must be at least 1.  Clean Aborted.";
        return -1;
    }
    const int half = maskSize / 2;
    const int n = 2 * half + 1;
    if (background != 0 && background != 255) background = DetectBackground();
    if (background == 255) {
        if (!platform::askYesNo("Clean is designed to work on images with light objects\n"
                                "on a black background.  Invert image?")) {
            errorMessage = "Please invert your image before cleaning.  Clean aborted.";
            return -1;
        }
        Invert();
    }
    if (MakeRoom(*this, maskSize, kClean) != 0) return -1;
    return WithWorkingStorage(*this, kClean, [&] {
        GreyRows plane;
        if (pixelValueArray.HoldsGrey()) {
            plane = *pixelValueArray.Grey();
        } else {
            plane.AllocateUnfilled(width, height);
            for (int y = 0; y < height; ++y) TakeReds(std::as_const(pixelValueArray)[y], width, plane[y]);
        }
        // The light of the significant pixels only: those above T.
        auto takeSignificant = [significance](const auto* in, int count, std::uint8_t* out) {
            for (int i = 0; i < count; ++i)
                out[i] = static_cast<std::uint8_t>(Red(in[i]) > significance ? Red(in[i]) : 0);
        };
        // Results go to the plane, so the image stays as it was until all
        // bands are done.
        OverBandRows(*this, half, [&](const auto& rows) {
            RowWindow significant(rows, static_cast<size_t>(rows.span()), takeSignificant);
            auto emitRow = [&](int y, const int* sums) {
                const auto* in = rows.row(y) + half;
                std::uint8_t* out = plane[y] + aoiLeft;
                for (int i = 0; i <= aoiRight - aoiLeft; ++i) {
                    const int v = Red(in[i]);
                    if (v < significance || sums[i] - v < clutter) out[i] = 0;
                }
            };
            BoxSumRows<1, int>(aoiLeft, rows.first(), aoiRight, rows.last() - 1, n,
                          [&](int y) { return static_cast<const std::uint8_t*>(significant.at(y)); }, emitRow);
        });
        pixelValueArray = std::move(plane);
    });
}
