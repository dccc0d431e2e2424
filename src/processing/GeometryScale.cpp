// Scale: resamples the whole image to new sizes by inverse mapping.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
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
// double: the mix is an integer sum over 65536, and rounding that half away
// in integers gives the same value as rounding the double. Integer sums do
// not depend on their grouping, so the mix can be taken a row at a time:
// first across each source row, then down between the two.
class ExactMix {
public:
    explicit ExactMix(const std::vector<SourceStep>& columns) : columns_(columns), across_{Row(), Row()} {}

    // The new row between source rows upper and upper + 1, fy 256ths down.
    void Mix(const PixelRows& source, int upper, int fy, CColorVal* out)
    {
        if (upper == held_ + 1) {
            std::swap(across_[0], across_[1]);
            Across(source[upper + 1], across_[1]);
        } else if (upper != held_) {
            Across(source[upper], across_[0]);
            Across(source[upper + 1], across_[1]);
        }
        held_ = upper;
        Down(across_[0].data(), across_[1].data(), across_[0].size(), fy, reinterpret_cast<std::uint8_t*>(out));
    }

private:
    std::vector<int> Row() const { return std::vector<int>(3 * columns_.size()); }

    // 256 times each new column's sample from one source row; 0 for columns
    // that stay black, which the mix keeps at 0.
    void Across(const CColorVal* row, std::vector<int>& sums) const
    {
        for (size_t x = 0; x < columns_.size(); ++x) {
            const SourceStep& step = columns_[x];
            int* sum = &sums[3 * x];
            if (step.index < 0) {
                sum[0] = sum[1] = sum[2] = 0;
                continue;
            }
            const CColorVal &a = row[step.index], &b = row[step.index + 1];
            const int fx = step.eighths;
            sum[0] = a.red * (256 - fx) + b.red * fx;
            sum[1] = a.green * (256 - fx) + b.green * fx;
            sum[2] = a.blue * (256 - fx) + b.blue * fx;
        }
    }

    // The mix of two rows of sums, rounded half away and clamped.
    static void Down(const int* __restrict upper, const int* __restrict lower, size_t length, int fy,
                     std::uint8_t* __restrict out)
    {
        for (size_t j = 0; j < length; ++j) {
            const int sum = upper[j] * (256 - fy) + lower[j] * fy;
            const int rounded = sum >= 0 ? (sum + 32768) >> 16 : -((32768 - sum) >> 16);
            out[j] = CColorVal::Clamp(rounded);
        }
    }

    const std::vector<SourceStep>& columns_;
    std::vector<int> across_[2];
    int held_ = -2;  // the source row whose sums across_[0] holds
};

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

    const bool exactColumns =
        bilinear && std::all_of(columns.begin(), columns.end(),
                                [](const SourceStep& step) { return step.index < 0 || step.eighths >= 0; });
    // The rows of sums are the only storage taken while the bands run.
    try {
        parallel::ForBands(0, newHeight, newWidth, [&](int first, int last) {
            std::optional<ExactMix> exact;
            if (exactColumns) exact.emplace(columns);
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
                if (exact && line.eighths >= 0) {
                    exact->Mix(pixelValueArray, line.index, line.eighths, out);
                    continue;
                }
                const CColorVal* lower = pixelValueArray[line.index + 1];
                for (int x = 0; x < newWidth; ++x)
                    if (columns[x].index >= 0)
                        out[x] = Bilinear(upper, lower, columns[x].index, columns[x].fraction, line.fraction);
            }
        });
    } catch (const std::bad_alloc&) {
        errorMessage = kNoMemory;
        return -1;
    }

    // The frequency buffer is released with the old storage and allocated
    // again when a transform needs it, so nothing can fail from here on.
    ReleaseStorage();
    pixelValueArray = std::move(rows);
    width = newWidth;
    height = newHeight;
    SetWholeAoi();
    return 0;
}
