// Reading one file of a series, with the refusal kept as text for the
// page's message or the run's log instead of being shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/Image.h"

// The reader's text when it refuses the file, whether it says so by its
// result or by showing a message and abandoning; nothing when it was read.
// The file's notices are never shown (a series never waits for a click on
// them): they go into notices where it is given.
std::optional<std::string> ReadSeriesFile(CImage& image, const std::string& path,
                                          std::vector<std::string>* notices = nullptr);
