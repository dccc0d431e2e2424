#include "forms/FilterGrid.h"

bool GridBoxEnabled(int size, int row, int column)
{
    const int a = size / 2;
    return row >= 4 - a && row <= 4 + a && column >= 4 - a && column <= 4 + a;
}

std::vector<std::string> EnabledWeights(int size, const WeightGrid& grid)
{
    std::vector<std::string> weights;
    for (int i = 0; i < 81; ++i)
        if (GridBoxEnabled(size, i / 9, i % 9)) weights.push_back(grid[static_cast<size_t>(i)]);
    return weights;
}

WeightGrid GridFromWeights(int size, const std::vector<std::string>& weights)
{
    WeightGrid grid;
    size_t next = 0;
    for (int i = 0; i < 81; ++i)
        grid[static_cast<size_t>(i)] =
            GridBoxEnabled(size, i / 9, i % 9) && next < weights.size() ? weights[next++] : "0";
    return grid;
}
