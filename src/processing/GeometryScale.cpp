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
#include "processing/PairedAcross.h"
#include "processing/ProvidePages.h"
#include "processing/ShuffledCopy.h"
#include "platform/ParallelRows.h"

namespace {

const char* const kNoMemory = "CImage::Scale cannot allocate sufficient memory";
constexpr int kChunk = 256;  // pixels of a row mixed at a time, so that their words stay in cache
// New rows are written this many bytes at a time once their pages are
// provided, so that the pages are still in cache when written.
constexpr long long kProvidedBytes = 256 << 10;

// Where a new column (or row) samples the old image.
struct SourceStep {
    int index;        // -1: the new pixel is black
    double fraction;  // bilinear only
    int in256ths;     // 256 x fraction when that is a whole number 0..512, else -1
};

// The source of every new column (or row) n: n / factor, for a side of size
// old pixels. Sources grow with n, so the black ones come last.
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
        const double scaled = fraction * 256;
        const bool whole = scaled >= 0 && scaled <= 512 && scaled == static_cast<int>(scaled);
        step = {i >= 0 && i < size - 1 ? i : -1, fraction, whole ? static_cast<int>(scaled) : -1};
    }
}

// The new columns as row loops want them: the sampled ones first, with the
// byte offsets of their sources and their fractions.
struct ColumnPlan {
    int sampled = 0;     // columns that are not black
    int wordSafe = 0;    // leading columns whose pixel and the byte after it lie in the row
    int pairSafe = 0;    // leading columns whose right neighbour and the byte after it do
    bool whole = true;   // every fraction in whole 256ths
    bool zero = true;    // every fraction 0: bilinear rows of fraction 0 are copies
    std::vector<long long> offsets;
    std::vector<double> fractions;
    std::vector<int> in256ths;
    std::optional<sampling::ShuffledCopy> copy;  // of the sampled columns

    ColumnPlan(const std::vector<SourceStep>& columns, int width)
    {
        while (sampled < static_cast<int>(columns.size()) && columns[sampled].index >= 0) ++sampled;
        offsets.resize(sampled);
        fractions.resize(sampled);
        in256ths.resize(sampled);
        for (int x = 0; x < sampled; ++x) {
            const SourceStep& step = columns[x];
            offsets[x] = 3LL * step.index;
            fractions[x] = step.fraction;
            in256ths[x] = step.in256ths;
            wordSafe += step.index < width - 1;
            pairSafe += step.index < width - 2;
            whole = whole && step.in256ths >= 0;
            zero = zero && step.fraction == 0;
        }
        copy.emplace(offsets, sampled, 3LL * width);
    }

    void Copy(const std::uint8_t* source, std::uint8_t* out) const
    {
        if (copy->Shuffles())
            copy->Copy(source, out);
        else
            sampling::CopyPixels(source, offsets.data(), sampled, wordSafe, out);
    }
};

// The largest power of two up to 256 that divides every fraction in 256ths
// of the sampled steps that have one.
int CommonStep(const std::vector<SourceStep>& steps)
{
    int step = 256;
    for (const SourceStep& s : steps)
        while (s.index >= 0 && s.in256ths >= 0 && s.in256ths % step != 0) step /= 2;
    return step;
}

// What the integer mix takes from the columns and rows, the same for every
// band: the sampled pixels and their right neighbours as plans of byte
// copies, and each byte's fraction. Fractions in coarse steps (halves for
// doubling) are counted in those steps, with sums of 16 bits; all others in
// 256ths, with sums of int.
struct MixPlan {
    std::vector<long long> rightOffsets;
    sampling::ShuffledCopy left, right;
    bool narrow = false;          // sums of 16 bits
    int stepX = 1, stepY = 1;     // the fractions' steps, in 256ths
    int unitX = 256, unitY = 256; // steps in a whole pixel
    int shift = 16;               // log2(unitX unitY)
    std::vector<int> fx;
    std::vector<std::int16_t> narrowFx;
    std::vector<int> pixelFx;             // narrow: each column's fraction
    std::optional<sampling::PairedAcross> paired;  // narrow: the mix across in one pass

    MixPlan(const ColumnPlan& columns, const std::vector<SourceStep>& columnSteps,
            const std::vector<SourceStep>& lines, int width)
        : rightOffsets(Shifted(columns.offsets, 3)), left(columns.offsets, columns.sampled, 3LL * width),
          right(rightOffsets, columns.sampled, 3LL * width)
    {
        const int commonX = CommonStep(columnSteps), commonY = CommonStep(lines);
        const int units = (256 / commonX) * (256 / commonY);
        if (units >= 2 && units <= 16) {
            narrow = true;
            stepX = commonX;
            stepY = commonY;
            unitX = 256 / stepX;
            unitY = 256 / stepY;
            for (shift = 1; (1 << shift) < units; ++shift) {
            }
        }
        const size_t bytes = 3 * static_cast<size_t>(columns.sampled);
        (narrow ? narrowFx.resize(bytes) : fx.resize(bytes));
        for (size_t i = 0; i < bytes; ++i) {
            const int f = columns.in256ths[i / 3] / stepX;
            if (narrow)
                narrowFx[i] = static_cast<std::int16_t>(f);
            else
                fx[i] = f;
        }
        if (!narrow) return;
        for (int x = 0; x < columns.sampled; ++x) pixelFx.push_back(columns.in256ths[x] / stepX);
        paired.emplace(columns.offsets, pixelFx, unitX, 3LL * width);
    }

    static std::vector<long long> Shifted(std::vector<long long> offsets, long long by)
    {
        for (long long& offset : offsets) offset += by;
        return offsets;
    }
};

// With fractions that are whole multiples of 1/256 every weight is a multiple
// of 1/65536 and every product and sum of the four-pixel mix is exact in
// double: the mix is an integer sum over 65536, and rounding that half away
// in integers gives the same value as rounding the double; sums counted in
// coarser steps differ from those only by a power of two, which the rounding
// divides out. Integer sums do not depend on their grouping, so the mix can
// be taken a row at a time: first across each source row, then down between
// the two.
class ExactMix {
public:
    explicit ExactMix(const MixPlan& plan)
        : plan_(plan), bytes_(std::max(plan.fx.size(), plan.narrowFx.size())), left_(bytes_), right_(bytes_)
    {
        for (int k = 0; k < 2; ++k) (plan.narrow ? narrow_[k].resize(bytes_) : wide_[k].resize(bytes_));
    }

    // The new row between source rows upper and upper + 1, fy 256ths down.
    void Mix(const PixelRows& source, int upper, int fy, std::uint8_t* out)
    {
        if (upper == held_ + 1) {
            std::swap(wide_[0], wide_[1]);
            std::swap(narrow_[0], narrow_[1]);
            Across(source[upper + 1], 1);
        } else if (upper != held_) {
            Across(source[upper], 0);
            Across(source[upper + 1], 1);
        }
        held_ = upper;
        const int steps = fy / plan_.stepY;
        if (plan_.narrow)
            sampling::MixDown(narrow_[0].data(), narrow_[1].data(), steps, plan_.unitY, plan_.shift, bytes_, out);
        else
            sampling::MixDown(wide_[0].data(), wide_[1].data(), steps, bytes_, out);
    }

private:
    // The sums of one source row into rows of sums k.
    void Across(const CColorVal* row, int k)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
        if (plan_.paired && plan_.paired->Runs()) {
            plan_.paired->Across(bytes, narrow_[k].data());
            return;
        }
        plan_.left.Copy(bytes, left_.data());
        plan_.right.Copy(bytes, right_.data());
        if (plan_.narrow)
            sampling::MixAcross(left_.data(), right_.data(), plan_.narrowFx.data(), plan_.unitX, bytes_,
                                narrow_[k].data());
        else
            sampling::MixAcross(left_.data(), right_.data(), plan_.fx.data(), plan_.unitX, bytes_, wide_[k].data());
    }

    const MixPlan& plan_;
    size_t bytes_;
    std::vector<std::uint8_t> left_, right_;
    std::vector<int> wide_[2];
    std::vector<std::int16_t> narrow_[2];
    int held_ = -2;  // the source row whose sums the first rows of sums hold
};

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
        // Every byte is written below, the black ones too.
        rows.AllocateUnfilled(newWidth, newHeight);
        columns.resize(newWidth);
        lines.resize(newHeight);
    } catch (const std::exception&) {
        errorMessage = kNoMemory;
        return -1;
    }
    PlanSteps(columns, sx, width, bilinear);
    PlanSteps(lines, sy, height, bilinear);

    // The plans and the rows of sums are the only storage taken besides the new rows.
    try {
        const ColumnPlan plan(columns, width);
        std::optional<MixPlan> mix;
        if (bilinear && plan.whole) mix.emplace(plan, columns, lines, width);
        const int provided = static_cast<int>(std::max(1LL, kProvidedBytes / (3LL * newWidth)));
        parallel::ForBands(0, newHeight, newWidth, [&](int first, int last) {
            std::optional<ExactMix> exact;
            if (mix) exact.emplace(*mix);
            std::uint32_t a[kChunk], b[kChunk], c[kChunk], d[kChunk];
            for (int y = first; y < last; ++y) {
                if ((y - first) % provided == 0) {
                    const int end = std::min(last, y + provided);
                    sampling::ProvidePages(reinterpret_cast<std::uint8_t*>(rows[y]),
                                           reinterpret_cast<std::uint8_t*>(rows[end - 1] + newWidth));
                }
                auto* out = reinterpret_cast<std::uint8_t*>(rows[y]);
                const SourceStep line = lines[y];
                if (line.index < 0) {
                    std::memset(out, 0, 3 * static_cast<size_t>(newWidth));
                    continue;
                }
                std::memset(out + 3 * static_cast<size_t>(plan.sampled), 0, 3 * static_cast<size_t>(newWidth - plan.sampled));
                if (!bilinear && y > first && lines[y - 1].index == line.index) {
                    std::memcpy(out, rows[y - 1], 3 * static_cast<size_t>(plan.sampled));
                    continue;
                }
                const auto* upper = reinterpret_cast<const std::uint8_t*>(pixelValueArray[line.index]);
                // A pixel whose fractions are both 0 is its upper-left source
                // exactly: a 1 + b 0 + c 0 + d 0 = a.
                if (!bilinear || (plan.zero && line.fraction == 0)) {
                    plan.Copy(upper, out);
                    continue;
                }
                if (exact && line.in256ths >= 0) {
                    exact->Mix(pixelValueArray, line.index, line.in256ths, out);
                    continue;
                }
                const auto* lower = reinterpret_cast<const std::uint8_t*>(pixelValueArray[line.index + 1]);
                for (int x = 0; x < plan.sampled; x += kChunk) {
                    const int count = std::min(kChunk, plan.sampled - x);
                    const long long* offsets = &plan.offsets[x];
                    sampling::GatherFour(upper, offsets, lower - upper, count, plan.pairSafe - x, a, b, c, d);
                    sampling::MixFourOnRow(a, b, c, d, &plan.fractions[x], line.fraction, count, out + 3 * x);
                }
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
    // A new pixel spans 1/sx of an old one across and 1/sy down.
    if (calibration.Calibrated())
        SetCalibration({calibration.pixelWidth / sx, calibration.pixelHeight / sy, calibration.unit});
    return 0;
}
