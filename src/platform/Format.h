// printf-style formatting into std::string for the system's message texts,
// and the texts' tidying.
#pragma once

#include <string>

namespace platform {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// The text without the line ends a message may end with.
std::string TrimNewlines(std::string text);

}  // namespace platform
