// Stretch, Equalize and Slide over the channels the Histogram dialog treats.
#include "processing/HistogramCombos.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "processing/Equalization.h"

namespace {

struct ChannelRange {
    int first, last;  // inclusive; empty when first > last
};

ChannelRange TreatedChannels(const CImage& image, int channel)
{
    if (image.format == FORMAT_GRAYSCALE) return {0, 2};
    if (channel >= 0 && channel <= 2) return {channel, channel};
    return {0, -1};
}

}  // namespace

void StretchHistogram(CImage& image, int channel)
{
    image.ComputeHistograms();
    const ChannelRange treated = TreatedChannels(image, channel);
    for (int c = treated.first; c <= treated.last; ++c) {
        const int lo = image.LowestLevel(c);
        const int hi = image.HighestLevel(c);
        image.SlideChannel(-lo, c);
        // A single level has no range to spread: the infinite factor keeps
        // the slid 0 at 0.
        const float factor = hi == lo ? std::numeric_limits<float>::infinity()
                                      : static_cast<float>(255.0 / (hi - lo));
        image.StretchChannel(factor, c);
    }
}

void EqualizeHistogram(CImage& image, int channel)
{
    // The grey runs found while counting spare the map their test; without
    // memory for them the map tests again.
    GreyRuns runs;
    bool known = true;
    try {
        CountHistograms(image, &runs);
    } catch (const std::bad_alloc&) {
        known = false;
        image.ComputeHistograms();
    }
    const ChannelRange treated = TreatedChannels(image, channel);
    // Every map comes from the histograms counted before any change, so one
    // pass maps all treated channels.
    std::array<LevelMap, 3> maps = {IdentityMap(), IdentityMap(), IdentityMap()};
    bool changes = false;
    for (int c = treated.first; c <= treated.last; ++c)
        changes = EqualizationMap(image, c, maps[static_cast<size_t>(c)]) || changes;
    if (changes) MapAoiComponents(image, maps[0], maps[1], maps[2], known ? &runs : nullptr);
}

int LimitSlide(const CImage& image, int channel, int shift)
{
    const ChannelRange treated = TreatedChannels(image, channel);
    if (treated.first > treated.last) return 0;
    int lo = 255, hi = 0;
    for (int c = treated.first; c <= treated.last; ++c) {
        lo = std::min(lo, image.LowestLevel(c));
        hi = std::max(hi, image.HighestLevel(c));
    }
    return std::min(std::max(shift, -lo), 255 - hi);
}

int SlideHistogram(CImage& image, int channel, int shift)
{
    image.ComputeHistograms();
    shift = LimitSlide(image, channel, shift);
    if (shift == 0) return 0;
    const ChannelRange treated = TreatedChannels(image, channel);
    for (int c = treated.first; c <= treated.last; ++c) image.SlideChannel(shift, c);
    return shift;
}
