// Scale: resamples the whole image to new sizes by inverse mapping.
#include <cstring>
#include <vector>

#include "image/Image.h"
#include "processing/GeometrySampling.h"
#include "processing/ParallelRows.h"

namespace {

const char* const kNoMemory = "CImage::Scale cannot allocate sufficient memory";

// Where a new column (or row) samples the old image.
struct SourceStep {
    int index;        // -1: the new pixel is black
    double fraction;  // bilinear only
    int eighths;      // 256 x fraction when that is a whole number 0..512, else -1
};

// With fractions that are whole multiples of 1/256 every weight is a multiple
// of 1/65536 and every product and sum of the four-pixel mix is exact in
// double: the mix is the integer sum below over 65536, and rounding it half
// away in integers gives the same value as rounding the double.
int MixExactly(int a, int b, int c, int d, int fx, int fy)
{
    const int sum = a * (256 - fx) * (256 - fy) + b * fx * (256 - fy) + c * (256 - fx) * fy + d * fx * fy;
    return sum >= 0 ? (sum + 32768) >> 16 : -((32768 - sum) >> 16);
}

CColorVal BilinearExactly(const CColorVal* upper, const CColorVal* lower, int ix, int fx, int fy)
{
    const CColorVal &a = upper[ix], &b = upper[ix + 1], &c = lower[ix], &d = lower[ix + 1];
    return CColorVal(MixExactly(a.red, b.red, c.red, d.red, fx, fy),
                     MixExactly(a.green, b.green, c.green, d.green, fx, fy),
                     MixExactly(a.blue, b.blue, c.blue, d.blue, fx, fy));
}

// The source of every new column (or row) n: n / factor, for a side of size
// old pixels.
void PlanSteps(std::vector<SourceStep>& steps, double factor, int size, bool bilinear)
{
    for (size_t n = 0; n < steps.size(); ++n) {
        const double source = static_cast<double>(n) / factor;
        SourceStep& step = steps[n];
        if (!bilinear) {
            const int i = RoundHalfAway(source);
            step = {i < size ? i : -1, 0, -1};
            continue;
        }
        int i = static_cast<int>(source);
        if (i == size - 1) i = size - 2;
        const double fraction = source - i;
        const double eighths = fraction * 256;
        const bool whole = eighths >= 0 && eighths <= 512 && eighths == static_cast<int>(eighths);
        step = {i >= 0 && i < size - 1 ? i : -1, fraction, whole ? static_cast<int>(eighths) : -1};
    }
}

}  // namespace

int CImage::Scale(double xPercent, double yPercent, int method)
{
    if (xPercent == 0 || yPercent == 0) {
        errorMessage = "CImage::Scale cannot scale by zero, invalid argument";
        return -1;
    }
    const double sx = xPercent * 0.01;
    const double sy = yPercent * 0.01;
    const double newWidthReal = width * sx;
    const double newHeightReal = height * sy;
    const char* const badSize = "CImage::Scale cannot scale to a width or height below 1 pixel, invalid argument";
    if (!(newWidthReal >= 0 && newHeightReal >= 0)) {
        errorMessage = badSize;
        return -1;
    }
    // Sides that do not fit an int could never be allocated either.
    if (newWidthReal >= 2147483647.0 || newHeightReal >= 2147483647.0) {
        errorMessage = kNoMemory;
        return -1;
    }
    const int newWidth = RoundHalfAway(newWidthReal);
    const int newHeight = RoundHalfAway(newHeightReal);
    if (newWidth < 1 || newHeight < 1) {
        errorMessage = badSize;
        return -1;
    }
    const bool bilinear = method != 0;

    PixelRows rows;
    std::vector<SourceStep> columns, lines;
    try {
        rows.Allocate(newWidth, newHeight);
        columns.resize(newWidth);
        lines.resize(newHeight);
    } catch (const std::exception&) {
        errorMessage = kNoMemory;
        return -1;
    }
    PlanSteps(columns, sx, width, bilinear);
    PlanSteps(lines, sy, height, bilinear);

    parallel::ForBands(0, newHeight, newWidth, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            CColorVal* out = rows[y];
            const SourceStep line = lines[y];
            if (line.index < 0) continue;  // the new rows are black already
            const CColorVal* upper = pixelValueArray[line.index];
            if (!bilinear) {
                for (int x = 0; x < newWidth; ++x)
                    if (columns[x].index >= 0) out[x] = upper[columns[x].index];
                continue;
            }
            const CColorVal* lower = pixelValueArray[line.index + 1];
            for (int x = 0; x < newWidth; ++x) {
                const SourceStep column = columns[x];
                if (column.index < 0) continue;
                if (column.eighths >= 0 && line.eighths >= 0)
                    out[x] = BilinearExactly(upper, lower, column.index, column.eighths, line.eighths);
                else
                    out[x] = Bilinear(upper, lower, column.index, column.fraction, line.fraction);
            }
        }
    });

    // The frequency buffer is released with the old storage and allocated
    // again when a transform needs it, so nothing can fail from here on.
    ReleaseStorage();
    pixelValueArray = std::move(rows);
    width = newWidth;
    height = newHeight;
    SetWholeAoi();
    return 0;
}
