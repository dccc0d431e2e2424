// Stretched spectrum pictures, pooled to the scale they are shown at.
#include "frequency/SpectrumContrast.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// The output index nearest to every source index, for shrinking sources
// sampled at RoundHalfAway(out / factor) as the scaled bitmap samples them.
std::vector<int> NearestOutput(int sources, float factor)
{
    const int outputs = std::max(1, RoundHalfAway(static_cast<double>(factor) * sources));
    std::vector<int> nearest(sources);
    for (int s = 0; s < sources; ++s)
        nearest[s] = std::clamp(RoundHalfAway(static_cast<double>(factor) * s), 0, outputs - 1);
    return nearest;
}

std::vector<int> SampledSource(int sources, float factor)
{
    const int outputs = std::max(1, RoundHalfAway(static_cast<double>(factor) * sources));
    std::vector<int> sampled(outputs);
    for (int o = 0; o < outputs; ++o)
        sampled[o] = std::clamp(RoundHalfAway(o / static_cast<double>(factor)), 0, sources - 1);
    return sampled;
}

CColorVal Grey(int level) { return CColorVal(level, level, level); }

}  // namespace

bool StretchedSpectrum(const CImage& spectrum, float factor, CImage& picture)
{
    const int W = spectrum.width, H = spectrum.height;
    if (!spectrum.dataArray.present() || W <= 0 || H <= 0) return picture.BlankImage(1, 1, CColorVal(0, 0, 0)) == 0;
    if (picture.BlankImage(W, H, CColorVal(0, 0, 0)) != 0) return false;
    picture.SetFormat(FORMAT_GRAYSCALE);

    std::vector<double> v(static_cast<size_t>(W) * H);
    for (int r = 0; r < H; ++r) {
        const FrequencyBuffer::Value* values = spectrum.dataArray[r];
        double* centred = v.data() + static_cast<size_t>((r + H / 2) % H) * W;
        for (int c = 0; c < W; ++c) centred[(c + W / 2) % W] = std::log(1 + std::abs(values[c]));
    }
    // Values that are not finite take no part in the range; they show at its ends.
    double vmin = std::numeric_limits<double>::infinity(), vmax = -vmin;
    for (double value : v)
        if (std::isfinite(value)) vmin = std::min(vmin, value), vmax = std::max(vmax, value);
    const double range = vmax - vmin;
    std::vector<std::uint8_t> level(v.size());
    for (size_t i = 0; i < v.size(); ++i)
        level[i] = !(v[i] > vmin) ? 0 : v[i] >= vmax ? 255 : RoundHalfAway((v[i] - vmin) * 255 / range);

    if (factor >= 1) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) picture.pixelValueArray[y][x] = Grey(level[size_t(y) * W + x]);
        return true;
    }
    // Every source pixel counts towards the one sample nearest to it.
    const std::vector<int> column = NearestOutput(W, factor), row = NearestOutput(H, factor);
    const std::vector<int> sampledX = SampledSource(W, factor), sampledY = SampledSource(H, factor);
    std::vector<std::uint8_t> pooled(sampledX.size() * sampledY.size(), 0);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* out = pooled.data() + static_cast<size_t>(row[y]) * sampledX.size();
        for (int x = 0; x < W; ++x) out[column[x]] = std::max(out[column[x]], level[size_t(y) * W + x]);
    }
    for (size_t o = 0; o < sampledY.size(); ++o)
        for (size_t j = 0; j < sampledX.size(); ++j)
            picture.pixelValueArray[sampledY[o]][sampledX[j]] = Grey(pooled[o * sampledX.size() + j]);
    return true;
}
