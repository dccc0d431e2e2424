#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "forms/ResultsHistogram.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct BinCase {
    const char* what;
    std::vector<double> values;
    int binCount;
    std::vector<double> edges;
    std::vector<std::vector<int>> ids;  // the ids are 10, 11, ... in the order of the values
};

}  // namespace

TEST(ResultsHistogram, EdgesCountsAndIdsPerBin)
{
    const BinCase cases[] = {
        {"three bins, the largest in the last", {1, 2, 2, 3, 4, 10}, 3, {1, 4, 7, 10}, {{10, 11, 12, 13}, {14}, {15}}},
        {"NaN left out", {kNaN, 1, 3}, 2, {1, 2, 3}, {{11}, {12}}},
        {"all equal: one bin about them", {5, 5}, 4, {4.5, 5.5}, {{10, 11}}},
        {"automatic: Freedman-Diaconis gives 2", {1, 2, 3, 4, 5, 6, 7, 8}, 0, {1, 4.5, 8},
         {{10, 11, 12, 13}, {14, 15, 16, 17}}},
        {"automatic: quartiles equal, Sturges gives 4", {0, 0, 0, 0, 4}, 0, {0, 1, 2, 3, 4},
         {{10, 11, 12, 13}, {}, {}, {14}}},
        {"no values, no bins", {kNaN}, 0, {}, {}},
    };
    for (const BinCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> ids;
        for (std::size_t i = 0; i < c.values.size(); ++i) ids.push_back(10 + static_cast<int>(i));
        const CHistogramBins bins = MakeHistogram(c.values, ids, c.binCount);
        EXPECT_EQ(bins.edges, c.edges);
        EXPECT_EQ(bins.ids, c.ids);
        ASSERT_EQ(bins.counts.size(), c.ids.size());
        for (std::size_t k = 0; k < c.ids.size(); ++k) EXPECT_EQ(bins.counts[k], static_cast<int>(c.ids[k].size()));
    }
}

TEST(ResultsHistogram, AutomaticCountAndEdgesOfInexactWidths)
{
    std::vector<double> spread;
    for (int i = 0; i < 100; ++i) spread.push_back(i);
    EXPECT_EQ(AutomaticBinCount(spread), 5);  // IQR 49.5, width 99 / 100^(1/3) = 21.33
    spread.push_back(1e9);                    // a far outlier is held to the most bins
    EXPECT_EQ(AutomaticBinCount(spread), kMaxAutomaticBins);
    EXPECT_EQ(AutomaticBinCount({7.0}), 1);

    // Tenths are not exact in binary: each value still lies within its bin's edges.
    const std::vector<double> tenths = {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7};
    const CHistogramBins bins = MakeHistogram(tenths, {0, 1, 2, 3, 4, 5, 6, 7}, 7);
    for (double v : tenths) {
        const int k = bins.BinOf(v);
        ASSERT_GE(k, 0);
        EXPECT_TRUE(bins.edges[k] <= v && (v < bins.edges[k + 1] || k == 6)) << v;
    }
    EXPECT_EQ(bins.BinOf(0.71), -1);
    EXPECT_EQ(bins.BinOf(kNaN), -1);
}
