// Row-wise visits of an image's AOI and the level tables that point and
// histogram operations apply to it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "image/Image.h"
#include "image/RgbBytes.h"
#include "platform/ParallelRows.h"
#include "processing/LevelLookup.h"

// The AOI limited to the image; empty when the image has no pixels or the
// corners are crossed, so that a damaged AOI never reaches outside the rows.
struct AoiBounds {
    int left, top, right, bottom;

    bool Empty() const { return left > right || top > bottom; }
    long long PixelCount() const
    {
        return Empty() ? 0 : static_cast<long long>(right - left + 1) * (bottom - top + 1);
    }
};

inline AoiBounds ClampedAoi(const CImage& image)
{
    if (image.width <= 0 || image.height <= 0 || image.pixelValueArray.empty()) return {0, 0, -1, -1};
    return {std::max(image.aoiLeft, 0), std::max(image.aoiTop, 0), std::min(image.aoiRight, image.width - 1),
            std::min(image.aoiBottom, image.height - 1)};
}

// visit(first, last) (or visit(y, first, last)) once per AOI row on the
// half-open pixel range [first, last), the rows split into bands over the
// cores: for visits that change nothing but their own row.
template <typename Visit>
void ForEachAoiRowInBands(CImage& image, Visit visit)
{
    const AoiBounds aoi = ClampedAoi(image);
    if (aoi.Empty()) return;
    parallel::ForBands(aoi.top, aoi.bottom + 1, aoi.right - aoi.left + 1, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            CColorVal* row = image.pixelValueArray[y];
            if constexpr (std::is_invocable_v<Visit&, int, CColorVal*, CColorVal*>)
                visit(y, row + aoi.left, row + aoi.right + 1);
            else
                visit(row + aoi.left, row + aoi.right + 1);
        }
    });
}

// New value of each level 0..255 of one component.
using LevelMap = std::array<std::uint8_t, 256>;

inline LevelMap IdentityMap()
{
    LevelMap map;
    for (int v = 0; v < 256; ++v) map[v] = static_cast<std::uint8_t>(v);
    return map;
}

// The component of a channel index 0 R, 1 G, 2 B; nullptr for any other.
inline std::uint8_t CColorVal::* ChannelMember(int channel)
{
    switch (channel) {
    case 0: return &CColorVal::red;
    case 1: return &CColorVal::green;
    case 2: return &CColorVal::blue;
    default: return nullptr;
    }
}

// Passes one component of every AOI pixel through map; a channel outside
// 0..2 changes nothing.
inline void MapAoiChannel(CImage& image, int channel, const LevelMap& map)
{
    std::uint8_t CColorVal::* const member = ChannelMember(channel);
    if (!member) return;
    ForEachAoiRowInBands(image, [&](CColorVal* p, CColorVal* end) {
        for (; p != end; ++p) p->*member = map[p->*member];
    });
}

// Maps n grey pixels by their red levels: each becomes the four bytes of
// spread for its level, the fourth landing on the next pixel's red, which is
// therefore read before the store and rewritten after it.
inline void MapGreyRow(std::uint8_t* p, int n, const std::array<std::uint32_t, 256>& spread)
{
    unsigned level = p[0];
    for (int x = 1; x < n; ++x, p += 3) {
        const unsigned next = p[3];
        std::memcpy(p, &spread[level], 3 + 1);
        level = next;
    }
    std::memcpy(p, &spread[level], 3);
}

// Pixels taken together by ForEachGreyRun.
constexpr int kGreyRun = 128;

// Which runs of each AOI row are grey, as one pass found them for the next:
// flags[(y - top) * perRow + k] for run k of row y.
struct GreyRuns {
    int top = 0;
    int perRow = 0;
    std::vector<std::uint8_t> flags;

    std::uint8_t* Row(int y) { return flags.data() + static_cast<size_t>(y - top) * perRow; }
};

// visit(pixels, count, grey) over the n pixels at p in runs of a few
// hundred bytes, grey telling whether all of the run's pixels are: each run
// is tested and then treated while it is still in the nearest cache. With
// flags, one byte per run, the test's answers are read from them (known) or
// kept in them.
template <typename Visit>
void ForEachGreyRun(const std::uint8_t* p, int n, Visit visit, std::uint8_t* flags = nullptr, bool known = false)
{
    for (int x = 0, k = 0; x < n; x += kGreyRun, ++k) {
        const int count = std::min(kGreyRun, n - x);
        const bool grey = known ? flags[k] != 0 : !HasColour(p + 3 * x, count);
        if (flags && !known) flags[k] = grey;
        visit(p + 3 * x, count, grey);
    }
}

// Passes R, G and B of every AOI pixel through their own maps. With one map
// for all three, a run of grey pixels maps each pixel by one lookup; runs,
// when given, tell which runs are grey (the pixels unchanged since).
inline void MapAoiComponents(CImage& image, const LevelMap& red, const LevelMap& green, const LevelMap& blue,
                             GreyRuns* runs = nullptr)
{
    const bool oneMap = red == green && green == blue;
    std::array<std::uint32_t, 256> spread{};
    for (int v = 0; oneMap && v < 256; ++v) spread[v] = red[v] * 0x01010101u;  // the level in every byte
    auto mapEach = [&](CColorVal* p, CColorVal* end) {
        for (; p != end; ++p) {
            p->red = red[p->red];
            p->green = green[p->green];
            p->blue = blue[p->blue];
        }
    };
    // A grey plane stays one: one map keeps every pixel grey.
    const AoiBounds aoi = ClampedAoi(image);
    if (oneMap && image.pixelValueArray.HoldsGrey() && !aoi.Empty()) {
        GreyRows& plane = *image.pixelValueArray.WritableGrey();
        const levels::LevelLookup lookup(red);
        parallel::ForBands(aoi.top, aoi.bottom + 1, aoi.right - aoi.left + 1, [&](int first, int last) {
            for (int y = first; y < last; ++y) lookup.Map(plane[y] + aoi.left, aoi.right - aoi.left + 1);
        });
        return;
    }
    ForEachAoiRowInBands(image, [&](int y, CColorVal* first, CColorVal* last) {
        if (!oneMap) return mapEach(first, last);
        ForEachGreyRun(
            reinterpret_cast<const std::uint8_t*>(first), static_cast<int>(last - first),
            [&](const std::uint8_t* run, int n, bool grey) {
                auto* p = const_cast<std::uint8_t*>(run);
                if (grey)
                    MapGreyRow(p, n, spread);
                else
                    mapEach(reinterpret_cast<CColorVal*>(p), reinterpret_cast<CColorVal*>(p) + n);
            },
            runs ? runs->Row(y) : nullptr, runs != nullptr);
    });
}
