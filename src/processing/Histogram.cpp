// The AOI's channel histograms and the tone operations built on them: slide,
// stretch and equalize one channel.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "image/Image.h"
#include "image/RgbBytes.h"
#include "processing/AoiRows.h"
#include "processing/Equalization.h"
#include "platform/ParallelRows.h"

namespace {

const std::array<int, 256>* HistogramOf(const CImage& image, int channel)
{
    switch (channel) {
    case 0: return &image.redHistogram;
    case 1: return &image.greenHistogram;
    case 2: return &image.blueHistogram;
    default: return nullptr;
    }
}

// Rounds half away from zero and clamps to 0..255 without converting an
// out-of-range or NaN value to int; NaN counts as below 0.
std::uint8_t ClampedLevel(double x)
{
    if (!(x > 0)) return 0;
    if (x >= 255) return 255;
    return static_cast<std::uint8_t>(RoundHalfAway(x));
}

}  // namespace

void CImage::ComputeHistograms() { CountHistograms(*this, nullptr); }

void CountHistograms(CImage& image, GreyRuns* runs)
{
    // Each band of rows counts on its own; the counts are added once it is
    // done, in any order, since integer sums do not depend on it. Grey runs
    // count their red components once, for all three channels.
    std::array<std::array<unsigned, 256>, 3> total{};
    std::mutex adding;
    const AoiBounds aoi = ClampedAoi(image);
    if (runs) {
        runs->top = aoi.top;
        runs->perRow = aoi.Empty() ? 0 : (aoi.right - aoi.left + kGreyRun) / kGreyRun;
        runs->flags.assign(static_cast<size_t>(aoi.Empty() ? 0 : aoi.bottom - aoi.top + 1) * runs->perRow, 0);
    }
    // A grey plane counts its bytes once, for all three channels; its runs
    // are all grey.
    const GreyRows* plane = image.pixelValueArray.HoldsGrey() ? image.pixelValueArray.Grey() : nullptr;
    if (plane && runs) std::fill(runs->flags.begin(), runs->flags.end(), 1);
    if (!aoi.Empty() && plane)
        parallel::ForBands(aoi.top, aoi.bottom + 1, aoi.right - aoi.left + 1, [&](int first, int last) {
            std::array<std::array<unsigned, 256>, 8> shared{};
            const int n = aoi.right - aoi.left + 1;
            for (int y = first; y < last; ++y) {
                const std::uint8_t* p = (*plane)[y] + aoi.left;
                int x = 0;
                // Eight levels per load, taken apart in registers.
                for (; x + 8 <= n; x += 8) {
                    std::uint64_t eight;
                    std::memcpy(&eight, p + x, 8);
                    for (int k = 0; k < 8; ++k, eight >>= 8) ++shared[static_cast<size_t>(k)][eight & 0xFF];
                }
                for (; x < n; ++x) ++shared[0][p[x]];
            }
            const std::lock_guard<std::mutex> lock(adding);
            for (size_t v = 0; v < 256; ++v) {
                unsigned grey = 0;
                for (const auto& counts : shared) grey += counts[v];
                for (size_t c = 0; c < 3; ++c) total[c][v] += grey;
            }
        });
    else if (!aoi.Empty())
        parallel::ForBands(aoi.top, aoi.bottom + 1, aoi.right - aoi.left + 1, [&](int first, int last) {
            // Neighbouring pixels go to different sets of counts: runs of one
            // level then do not wait on the previous increment of a counter.
            std::array<std::array<unsigned, 256>, 4> shared{};
            std::array<std::array<unsigned, 256>, 6> counts{};
            for (int y = first; y < last; ++y) {
                const std::uint8_t* row = reinterpret_cast<const std::uint8_t*>(image.pixelValueArray[y] + aoi.left);
                ForEachGreyRun(row, aoi.right - aoi.left + 1, [&](const std::uint8_t* p, int n, bool grey) {
                    int x = 0;
                    if (grey) {
                        for (; x + 4 <= n; x += 4, p += 12) {
                            ++shared[0][p[0]];
                            ++shared[1][p[3]];
                            ++shared[2][p[6]];
                            ++shared[3][p[9]];
                        }
                        for (; x < n; ++x, p += 3) ++shared[0][p[0]];
                        return;
                    }
                    for (; x + 2 <= n; x += 2, p += 6)
                        for (size_t c = 0; c < 6; ++c) ++counts[c][p[c]];
                    if (x < n)
                        for (size_t c = 0; c < 3; ++c) ++counts[c][p[c]];
                }, runs ? runs->Row(y) : nullptr);
            }
            const std::lock_guard<std::mutex> lock(adding);
            for (size_t v = 0; v < 256; ++v) {
                const unsigned grey = shared[0][v] + shared[1][v] + shared[2][v] + shared[3][v];
                for (size_t c = 0; c < 3; ++c) total[c][v] += grey + counts[c][v] + counts[c + 3][v];
            }
        });
    for (int v = 0; v < 256; ++v) {
        image.redHistogram[v] = static_cast<int>(total[0][v]);
        image.greenHistogram[v] = static_cast<int>(total[1][v]);
        image.blueHistogram[v] = static_cast<int>(total[2][v]);
    }
}

int CImage::LowestLevel(int channel) const
{
    if (const auto* counts = HistogramOf(*this, channel))
        for (int level = 0; level < 256; ++level)
            if ((*counts)[level] != 0) return level;
    return 0;
}

int CImage::HighestLevel(int channel) const
{
    if (const auto* counts = HistogramOf(*this, channel))
        for (int level = 255; level >= 0; --level)
            if ((*counts)[level] != 0) return level;
    return 255;
}

int CImage::PeakCount(int channel) const
{
    const auto* counts = HistogramOf(*this, channel);
    return counts ? *std::max_element(counts->begin(), counts->end()) : 0;
}

void CImage::SlideChannel(int offset, int channel)
{
    // Beyond +-256 every level lands on the same end; limiting first keeps
    // the sum from overflowing.
    offset = std::clamp(offset, -256, 256);
    LevelMap map;
    for (int v = 0; v < 256; ++v) map[v] = CColorVal::Clamp(v + offset);
    MapAoiChannel(*this, channel, map);
}

void CImage::StretchChannel(float factor, int channel)
{
    // The product is taken in double from the single-precision factor: with
    // 255 / 100 held as 2.5499999523, level 50 gives 127.4999976 -> 127.
    LevelMap map;
    for (int v = 0; v < 256; ++v) map[v] = ClampedLevel(static_cast<double>(factor) * v);
    MapAoiChannel(*this, channel, map);
}

bool EqualizationMap(const CImage& image, int channel, LevelMap& map)
{
    const auto* counts = HistogramOf(image, channel);
    const long long n = ClampedAoi(image).PixelCount();
    if (!counts || n == 0) return false;
    long long running = 0;
    for (int v = 0; v < 256; ++v) {
        running += (*counts)[v];
        map[v] = ClampedLevel((255.0 * static_cast<double>(running)) / static_cast<double>(n));
    }
    return true;
}

void CImage::EqualizeChannel(int channel)
{
    LevelMap map;
    if (EqualizationMap(*this, channel, map)) MapAoiChannel(*this, channel, map);
}
