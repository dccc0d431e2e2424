// The 9 x 9 grid of weight boxes of the custom filter dialog: which boxes a
// size enables and how file contents fill it.
#pragma once

#include <array>
#include <string>
#include <vector>

using WeightGrid = std::array<std::string, 81>;  // row by row

// The centred size x size block is enabled.
bool GridBoxEnabled(int size, int row, int column);

// The texts of the enabled boxes, row-major.
std::vector<std::string> EnabledWeights(int size, const WeightGrid& grid);

// Enabled boxes get the weights in order, the others "0".
WeightGrid GridFromWeights(int size, const std::vector<std::string>& weights);
