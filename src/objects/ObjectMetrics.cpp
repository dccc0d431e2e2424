// Shape, orientation and colour metrics of a traced object, measured over its
// bounding box in the working copy.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "image/FoundObject.h"
#include "image/SampleRows.h"

namespace {

std::array<int, 3> Components(const CColorVal& pixel) { return {pixel.red, pixel.green, pixel.blue}; }
std::array<int, 3> Components(std::uint8_t grey) { return {grey, grey, grey}; }

// Mean position of the non-background pixels among pixelAt(from .. to).
template <typename PixelAt>
double MeanPosition(int from, int to, int background, PixelAt pixelAt)
{
    double sum = 0.0;
    int count = 0;
    for (int position = from; position <= to; ++position)
        if (Luminance(pixelAt(position)) != background) {
            sum += position;
            ++count;
        }
    // A box edge always holds a boundary point; the guard only keeps 0 / 0 out.
    return count > 0 ? sum / count : 0.0;
}

// Slopes with magnitude below 0.2 count as none; a clear slope in one
// direction with none in the other gets a unit slope there, a faint one is
// dropped, so that both are zero or both are not.
void CleanUpSlopes(double& p, double& q, double& widthSpan, double& heightSpan)
{
    for (double* value : {&p, &q, &widthSpan, &heightSpan})
        if (std::fabs(*value) < 0.2) *value = 0.0;
    if (p == 0 && std::fabs(q) <= 2) q = 0;
    else if (p == 0 && q > 2) p = 1;
    else if (p == 0 && q < -2) p = -1;
    else if (q == 0 && std::fabs(p) <= 2) p = 0;
    else if (q == 0 && p > 2) q = 1;
    else if (q == 0 && p < -2) q = -1;
}

// Orientation, axes and elongation from the edge slopes and box spans.
void MeasureShape(CFoundObject& o)
{
    double p = o.edgeSlopeAcross, q = o.edgeSlopeDown, w = o.boxWidthSpan, h = o.boxHeightSpan;
    CleanUpSlopes(p, q, w, h);

    double r = 0.0;
    if (p == 0 && q == 0) {
        o.theta = w < h ? 90.0 : 0.0;
    } else {
        r = w / p - h / q;
        const double s = std::sqrt(r * r + 4);
        // Two forms of (r + s) / 2 keep the cancellation out for negative r.
        const double t = (r < 0 || (r == 0 && p < 0)) ? 2 / (s - r) : (s + r) / 2;
        o.theta = std::atan(t) * 180 * 0.3183098510851024;
        if (p > 0) o.theta += 90;
    }

    bool fromSpans = true;
    if (p != 0 && q != 0) {
        const double a = p * q;
        const double b = w * h;
        const double d = b - a;
        const double e = std::fabs(h / q + w / p);
        if (d != 0) {
            const double k = std::fabs(2 * std::sqrt(std::fabs(a / b)) / d);
            const double s = std::sqrt(r * r + 4);
            const double hk = std::fabs((s + e) * k);
            const double fk = std::fabs((e - s) * k);
            if (hk != 0 && fk != 0) {
                o.majorAxis = std::sqrt(4 / std::min(hk, fk));
                o.minorAxis = std::sqrt(4 / std::max(hk, fk));
                fromSpans = false;
            }
        }
    }
    if (fromSpans) {
        o.majorAxis = std::max(std::fabs(w), std::fabs(h));
        o.minorAxis = std::min(std::fabs(w), std::fabs(h));
    }
    o.elongation = std::fabs(o.majorAxis) < 1e-6 ? o.minorAxis * 1e12 : o.minorAxis / o.majorAxis;
}

// Area, weighted centroid and colour statistics over the bounding box, or
// over the pixels that own marks (a mask over the box) when it is given.
template <typename Rows>
void MeasureIntensity(CFoundObject& o, const Rows& work, int background, const std::vector<std::uint8_t>* own)
{
    const int boxWidth = o.right - o.left + 1;
    auto counted = [&](int x, int y) {
        return own == nullptr || (*own)[static_cast<size_t>(y - o.top) * boxWidth + (x - o.left)] != 0;
    };
    // Integer sums: exact, and equal to double sums wherever those are exact.
    std::int64_t weight = 0, weightX = 0, weightY = 0;
    std::array<std::int64_t, 3> sums{};
    std::array<int, 3> mins{255, 255, 255}, maxs{0, 0, 0};
    o.area = 0;
    for (int y = o.top; y <= o.bottom; ++y) {
        const auto* row = work[y];
        for (int x = o.left; x <= o.right; ++x) {
            if (!counted(x, y)) continue;
            const int grey = Luminance(row[x]);
            const int pixelWeight = std::abs(background - grey);
            weight += pixelWeight;
            weightX += static_cast<std::int64_t>(pixelWeight) * x;
            weightY += static_cast<std::int64_t>(pixelWeight) * y;
            if (grey == background) continue;
            ++o.area;
            const std::array<int, 3> c = Components(row[x]);
            for (int i = 0; i < 3; ++i) {
                mins[i] = std::min(mins[i], c[i]);
                maxs[i] = std::max(maxs[i], c[i]);
                sums[i] += c[i];
            }
        }
    }
    const double totalWeight = weight == 0 ? 0.1 : static_cast<double>(weight);
    o.centroidX = static_cast<double>(weightX) / totalWeight;
    o.centroidY = static_cast<double>(weightY) / totalWeight;

    CChannelStats* const channels[3] = {&o.red, &o.green, &o.blue};
    for (int i = 0; i < 3; ++i) {
        channels[i]->min = static_cast<std::uint8_t>(mins[i]);
        channels[i]->max = static_cast<std::uint8_t>(maxs[i]);
        channels[i]->mean = static_cast<double>(sums[i]) / o.area;
    }
    // The deviation runs over the same pixels as the mean, so a component
    // that happens to equal the background level inside an object still
    // counts, and background pixels never do.
    std::array<double, 3> squares{};
    for (int y = o.top; y <= o.bottom; ++y) {
        const auto* row = work[y];
        for (int x = o.left; x <= o.right; ++x) {
            if (Luminance(row[x]) == background || !counted(x, y)) continue;
            const std::array<int, 3> c = Components(row[x]);
            for (int i = 0; i < 3; ++i) squares[i] += (c[i] - channels[i]->mean) * (c[i] - channels[i]->mean);
        }
    }
    for (int i = 0; i < 3; ++i) channels[i]->deviation = std::sqrt(squares[i] / o.area);
}

template <typename Rows>
void MeasureObject(CFoundObject& o, const Rows& work, int background)
{
    o.edgeSlopeAcross = MeanPosition(o.top, o.bottom, background, [&](int y) { return work[y][o.right]; }) -
                        MeanPosition(o.top, o.bottom, background, [&](int y) { return work[y][o.left]; });
    o.edgeSlopeDown = MeanPosition(o.left, o.right, background, [&](int x) { return work[o.bottom][x]; }) -
                      MeanPosition(o.left, o.right, background, [&](int x) { return work[o.top][x]; });
    o.boxWidthSpan = o.right - o.left;
    o.boxHeightSpan = o.bottom - o.top;
    MeasureShape(o);
    if (o.ownPixelsOnly) {
        const std::vector<std::uint8_t> own = o.OwnPixels(work, background);
        MeasureIntensity(o, work, background, &own);
    } else {
        MeasureIntensity(o, work, background, nullptr);
    }

    o.circumference = 0.0;
    for (size_t i = 0; i < o.boundaryPoints.size(); ++i) {
        const CBoundaryPoint& point = o.boundaryPoints[i];
        const CBoundaryPoint& previous = o.boundaryPoints[i == 0 ? o.boundaryPoints.size() - 1 : i - 1];
        o.circumference += (point.x == previous.x || point.y == previous.y) ? 1.0 : 1.4142135623730951;
    }
    o.roundness = o.area * 12.56637061435916 / (o.circumference * o.circumference);
}

}  // namespace

void CFoundObject::Measure(const PixelRows& work, int background) { MeasureObject(*this, work, background); }
void CFoundObject::Measure(const GreyRows& work, int background) { MeasureObject(*this, work, background); }

void CFoundObject::ComputeMetrics(PixelRows& work, int background)
{
    Measure(work, background);
    EraseObject(work, background);
}
void CFoundObject::ComputeMetrics(GreyRows& work, int background)
{
    Measure(work, background);
    EraseObject(work, background);
}
