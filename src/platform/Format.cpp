#include "platform/Format.h"

#include <cstdarg>
#include <cstdio>

namespace platform {

std::string Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (size > 0) {
        out.resize(static_cast<size_t>(size) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<size_t>(size));
    }
    va_end(args);
    return out;
}

std::string TrimNewlines(std::string text)
{
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace platform
