// Histogram binning of a results column.
#include "forms/ResultsHistogram.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<double> Numbers(const std::vector<double>& values)
{
    std::vector<double> numbers;
    numbers.reserve(values.size());
    for (double v : values)
        if (!std::isnan(v)) numbers.push_back(v);
    return numbers;
}

// The q-quantile of sorted values, interpolated between neighbours.
double Quantile(const std::vector<double>& sorted, double q)
{
    const double at = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (at - static_cast<double>(below));
}

}  // namespace

int CHistogramBins::BinOf(double value) const
{
    const int n = BinCount();
    if (n == 0 || std::isnan(value) || value < edges.front() || value > edges.back()) return -1;
    const double span = edges.back() - edges.front();
    int k = static_cast<int>(std::floor((value - edges.front()) / span * n));
    k = std::clamp(k, 0, n - 1);
    // The division may land a value on an edge one bin off; the edges decide.
    while (k > 0 && value < edges[k]) --k;
    while (k < n - 1 && value >= edges[k + 1]) ++k;
    return k;
}

int AutomaticBinCount(const std::vector<double>& values)
{
    std::vector<double> sorted = Numbers(values);
    if (sorted.size() < 2) return 1;
    std::sort(sorted.begin(), sorted.end());
    const double n = static_cast<double>(sorted.size());
    const int sturges = static_cast<int>(std::ceil(std::log2(n))) + 1;
    const double range = sorted.back() - sorted.front();
    const double iqr = Quantile(sorted, 0.75) - Quantile(sorted, 0.25);
    if (range == 0.0) return 1;
    if (iqr == 0.0) return std::min(sturges, kMaxAutomaticBins);
    const double width = 2.0 * iqr / std::cbrt(n);
    return std::clamp(static_cast<int>(std::ceil(range / width)), 1, kMaxAutomaticBins);
}

CHistogramBins MakeHistogram(const std::vector<double>& values, const std::vector<int>& ids, int binCount)
{
    CHistogramBins bins;
    const std::vector<double> numbers = Numbers(values);
    if (numbers.empty()) return bins;
    const auto [low, high] = std::minmax_element(numbers.begin(), numbers.end());
    double lo = *low, hi = *high;
    int n = binCount > 0 ? binCount : AutomaticBinCount(numbers);
    if (lo == hi) {
        lo -= 0.5;
        hi += 0.5;
        n = 1;
    }
    bins.edges.resize(n + 1);
    // Each edge from the ends, so that the last is the largest value exactly.
    for (int k = 0; k <= n; ++k) bins.edges[k] = lo + (hi - lo) * k / n;
    bins.edges[n] = hi;
    bins.counts.assign(n, 0);
    bins.ids.resize(n);
    for (std::size_t i = 0; i < values.size() && i < ids.size(); ++i) {
        const int k = bins.BinOf(values[i]);
        if (k < 0) continue;
        ++bins.counts[k];
        bins.ids[k].push_back(ids[i]);
    }
    return bins;
}
