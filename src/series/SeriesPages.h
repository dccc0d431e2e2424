// Which series wizard page collects an operation's parameters, and whether
// the operation uses the AOI. The confirmation text and the wizard's page
// order both follow these groups.
#pragma once

#include <string>

enum class SeriesParameterPage { None, Morphology, Filter, Transform, FindObjects, Process };

SeriesParameterPage ParameterPageFor(const std::string& operationName);
// False for "Grayscale", "Extract RGB" and "Comb", which skip the AOI page.
bool UsesAoi(const std::string& operationName);
// "Opening", "Closing", "Peak Detection" and "Valley Detection".
bool UsesRepetitions(const std::string& operationName);
