// Which series wizard page collects an operation's parameters, and whether
// the operation uses the AOI. The confirmation text and the wizard's page
// order both follow these groups.
#pragma once

#include <string>

// The Select Operation entry that runs a recipe file's steps instead of one
// operation; it skips the AOI and parameter pages, the steps carry their own.
inline constexpr const char* kSeriesRecipeEntry = "Recipe\u2026";

enum class SeriesParameterPage { None, Morphology, Filter, Transform, FindObjects, Process };

SeriesParameterPage ParameterPageFor(const std::string& operationName);
// False for "Grayscale", "Extract RGB", "Comb" and a recipe, which skip the
// AOI page.
bool UsesAoi(const std::string& operationName);
// "Opening", "Closing", "Peak Detection" and "Valley Detection".
bool UsesRepetitions(const std::string& operationName);
