// Rotate: turns the AOI's contents about the AOI's centre by inverse mapping.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "image/Image.h"
#include "processing/GeometrySampling.h"
#include "platform/Blocks.h"
#include "platform/ParallelRows.h"

namespace {

// The walk's tiles: rows long enough to spread the cost of a segment's calls,
// few enough of them for the tile's sources to stay in cache.
constexpr int kTileWidth = 128;
constexpr int kTileRows = 32;
constexpr int kAhead = 3;  // rows of the walk whose sources are asked for ahead
constexpr double kRadiansPerDegree = 0.017453292519943278;

// cos and sin of the angle. Quarter turns get exact values: computed from
// the radians, cos 90 is 6e-17, enough to push sources that lie exactly on
// the AOI's edge out of it.
void CosSin(double degrees, double& cosA, double& sinA)
{
    const double turns = degrees / 90;
    if (std::fabs(turns) < 1e9 && turns == std::floor(turns)) {
        static const double kCos[4] = {1, 0, -1, 0};
        static const double kSin[4] = {0, 1, 0, -1};
        const int quarter = static_cast<int>(((static_cast<long long>(turns) % 4) + 4) % 4);
        cosA = kCos[quarter];
        sinA = kSin[quarter];
        return;
    }
    const double angle = degrees * kRadiansPerDegree;
    cosA = std::cos(angle);
    sinA = std::sin(angle);
}

// The angle's cosine and sine, the AOI's centre, and dx cos and dx sin of
// every AOI column, which are the same for every row.
struct Turn {
    double cosA, sinA, cx, cy;
    const double* dxCos;
    const double* dxSin;
};

// Every AOI pixel gets what fill(row, out) writes for a row segment of it:
// its sources are turned back by the angle about the AOI's centre. The AOI
// is walked in tiles so that the sources of a tile, a turned rectangle, stay
// in cache.
template <typename Fill>
void MapAoi(CImage& image, const Turn& turn, Fill fill)
{
    const int left = image.aoiLeft, right = image.aoiRight;
    parallel::ForBands(image.aoiTop, image.aoiBottom + 1, right - left + 1, [&](int first, int last) {
        const double cosA = turn.cosA, sinA = turn.sinA, cy = turn.cy;
        sampling::TurnedRow row{nullptr, nullptr, turn.cx, cy, 0, 0, 0};
        for (int tileTop = first; tileTop < last; tileTop += kTileRows) {
            const int tileBottom = std::min(tileTop + kTileRows, last) - 1;
            for (int tileLeft = left; tileLeft <= right; tileLeft += kTileWidth) {
                row.dxCos = turn.dxCos + (tileLeft - left);
                row.dxSin = turn.dxSin + (tileLeft - left);
                row.count = std::min(tileLeft + kTileWidth - 1, right) - tileLeft + 1;
                for (int y = tileTop; y <= tileBottom; ++y) {
                    const double dy = y - cy;
                    row.dySin = dy * sinA;
                    row.dyCos = dy * cosA;
                    fill(row, reinterpret_cast<std::uint8_t*>(image.pixelValueArray[y] + tileLeft));
                }
            }
        }
    });
}

// The pixels of a row segment outside the span are black.
void Blacken(std::uint8_t* out, sampling::Span span, int count)
{
    std::memset(out, 0, 3 * static_cast<size_t>(span.first));
    std::memset(out + 3 * span.end, 0, 3 * static_cast<size_t>(count - span.end));
}

}  // namespace

int CImage::Rotate(double degrees, int method)
{
    const int left = aoiLeft, top = aoiTop, right = aoiRight, bottom = aoiBottom;
    const int aoiWidth = right - left + 1;
    const int aoiHeight = bottom - top + 1;
    if (aoiWidth <= 0 || aoiHeight <= 0) return 0;

    // Only the AOI is ever sampled, so only the AOI is copied, followed by
    // a black block for the sources outside it.
    const sampling::TurnSource source{left, top, right, bottom, aoiWidth};
    const size_t pixelBytes = static_cast<size_t>(source.RowBytes()) * aoiHeight;
    const size_t blackBytes = 3 * (static_cast<size_t>(aoiWidth) + 3);
    // Every byte of the copy is written before it is read: it may take the
    // pages an image of the same size gave back.
    platform::Block<std::uint8_t> copy;
    std::unique_ptr<double[]> products(new (std::nothrow) double[2 * static_cast<size_t>(aoiWidth)]);
    try {
        copy = platform::MakeUnfilledBlock<std::uint8_t>(pixelBytes + blackBytes);
    } catch (const std::bad_alloc&) {
    }
    if (!copy || !products) {
        errorMessage = "CImage::Rotate cannot allocate sufficient memory";
        return -1;
    }
    // Copied in bands too: first touches of fresh memory cost as much as
    // the copying.
    parallel::ForBands(top, bottom + 1, aoiWidth, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            std::memcpy(&copy[3 * static_cast<size_t>(y - top) * aoiWidth], pixelValueArray[y] + left,
                        3 * static_cast<size_t>(aoiWidth));
    });
    std::memset(&copy[pixelBytes], 0, blackBytes);
    double cosA, sinA;
    CosSin(degrees, cosA, sinA);
    double* const dxCos = products.get();
    double* const dxSin = dxCos + aoiWidth;
    const Turn turn{cosA, sinA, left + (right - left) * 0.5, top + (bottom - top) * 0.5, dxCos, dxSin};
    for (int x = left; x <= right; ++x) {
        const double dx = x - turn.cx;
        dxCos[x - left] = dx * cosA;
        dxSin[x - left] = dx * sinA;
    }
    const std::uint8_t* const pixels = copy.get();

    // The rotated sources lie in no order the processor could foresee, so
    // those of a row a few rows further down are asked for in advance: going
    // down a row moves the sources by (-sin, cos).
    const long long ahead = std::isfinite(cosA) && std::isfinite(sinA)
                                ? 3 * (std::llround(kAhead * cosA) * aoiWidth - std::llround(kAhead * sinA))
                                : 0;
    if (method == 0) {
        MapAoi(*this, turn, [&](const sampling::TurnedRow& row, std::uint8_t* out) {
            alignas(64) int rows[kTileWidth], columns[kTileWidth];
            sampling::TurnedSources sources{rows, columns};
            sampling::TurnedNearest(row, source, sources);
            const sampling::Span span = sampling::Sampled(source, sources, row.count);
            const sampling::TurnedSources sampled{rows + span.first, columns + span.first};
            const int count = span.end - span.first;
            Blacken(out, span, row.count);
            sampling::Prefetch(pixels, source, sampled, count, ahead, false);
            sampling::CopyPixels(pixels, source, sampled, count, out + 3 * span.first);
        });
    } else {
        MapAoi(*this, turn, [&](const sampling::TurnedRow& row, std::uint8_t* out) {
            alignas(64) int rows[kTileWidth], columns[kTileWidth];
            alignas(64) double fx[kTileWidth], fy[kTileWidth];
            alignas(64) std::uint32_t a[kTileWidth], b[kTileWidth], c[kTileWidth], d[kTileWidth];
            sampling::TurnedSources sources{rows, columns};
            sampling::TurnedFour(row, source, sources, fx, fy);
            const sampling::Span span = sampling::Sampled(source, sources, row.count);
            const sampling::TurnedSources sampled{rows + span.first, columns + span.first};
            const int first = span.first, count = span.end - first;
            Blacken(out, span, row.count);
            sampling::Prefetch(pixels, source, sampled, count, ahead, true);
            sampling::GatherFour(pixels, source, sampled, count, a, b, c, d);
            sampling::MixFour(a, b, c, d, fx + first, fy + first, count, out + 3 * first);
        });
    }
    return 0;
}
