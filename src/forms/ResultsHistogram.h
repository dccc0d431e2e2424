// The histogram of a results column: bin edges, counts, and the rows that
// fall in each bin, so that a bar selects its rows.
#pragma once

#include <vector>

struct CHistogramBins {
    // counts.size() + 1 edges from the smallest value to the largest; bin k
    // holds edges[k] <= v < edges[k + 1], the last bin its upper edge too.
    std::vector<double> edges;
    std::vector<int> counts;
    std::vector<std::vector<int>> ids;  // the row ids of each bin, in the order given

    int BinCount() const { return static_cast<int>(counts.size()); }
    // The bin holding value; -1 outside the edges or for NaN.
    int BinOf(double value) const;
};

// The automatic bin count: Freedman-Diaconis (width 2 IQR / n^(1/3)), or
// Sturges (ceil(log2 n) + 1) where the quartiles coincide; at most
// kMaxAutomaticBins, so that a far outlier does not make thousands of
// empty bins. NaN values are not counted; 1 for fewer than two values.
constexpr int kMaxAutomaticBins = 100;
int AutomaticBinCount(const std::vector<double>& values);

// Bins the values (values[i] is row ids[i]'s; NaN ones are left out) into
// binCount bins, or the automatic count for 0. All values equal: one bin
// half a unit either side of them. No values: no bins.
CHistogramBins MakeHistogram(const std::vector<double>& values, const std::vector<int>& ids, int binCount);
