// printf-style formatting into std::string for the system's message texts.
#pragma once

#include <string>

namespace platform {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
