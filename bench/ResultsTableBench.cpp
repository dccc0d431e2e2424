// The Results window's table at 100,000 objects of an RGB image with every
// metric (28 columns): reading the results file, and sorting by a column.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "forms/ResultsTable.h"
#include "image/FoundObject.h"

namespace {

constexpr int kRows = 100000;

// Objects of varied sizes written by the results file's own row writer.
const std::string& ResultsText()
{
    static const std::string text = [] {
        std::uint32_t seed = 12345;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
        };
        CFoundObject object;
        std::string all = object.HeaderLine(METRIC_ALL, false) + "\r\n";
        for (int i = 1; i <= kRows; ++i) {
            object.left = next(4000);
            object.top = next(4000);
            object.right = object.left + next(90);
            object.bottom = object.top + next(90);
            object.area = 1 + next(8000);
            object.centroidX = object.left + next(900) / 10.0;
            object.centroidY = object.top + next(900) / 10.0;
            object.circumference = next(4000) / 10.0;
            object.majorAxis = next(900) / 10.0;
            object.minorAxis = next(900) / 10.0;
            object.elongation = next(10) / 10.0;
            object.theta = next(1800) / 10.0;
            object.roundness = next(10) / 10.0;
            object.partial = next(2) == 1;
            object.red = {static_cast<std::uint8_t>(next(100)), 200, next(2550) / 10.0, next(500) / 10.0};
            object.green = object.blue = object.red;
            all += object.RowText(i, false, METRIC_ALL) + "\r\n";
        }
        return all;
    }();
    return text;
}

void Open(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "nuvak-bench-results.dat").string();
    std::ofstream(path, std::ios::binary) << ResultsText();
    for (auto _ : state) {
        std::string error;
        CResultsTable table = CResultsTable::Read(path, &error);
        benchmark::DoNotOptimize(table.RowCount());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void Sort(benchmark::State& state)
{
    std::string error;
    CResultsTable table = CResultsTable::Parse(ResultsText(), &error);
    const int area = table.ColumnOf("area");
    bool descending = false;
    // Each sort starts from the other order, as a second header click does.
    for (auto _ : state) {
        table.Sort(area, descending);
        descending = !descending;
        benchmark::DoNotOptimize(table.RowId(0));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(Open)->Name("ResultsTable/Open")->Unit(benchmark::kMillisecond);
BENCHMARK(Sort)->Name("ResultsTable/Sort")->Unit(benchmark::kMillisecond);
