#include "processing/WeightEntry.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "platform/Format.h"

namespace {

// Every accepted text converts to a finite single-precision weight.
constexpr double kLargestWeight = 3.4e38;

// The value of a text of the accepted form, in double precision; enough to
// tell whether it fits a weight.
double RoughValue(const std::string& text, size_t slash)
{
    if (slash == std::string::npos) return std::strtod(text.c_str(), nullptr);
    return std::strtod(text.substr(0, slash).c_str(), nullptr) / std::strtod(text.c_str() + slash + 1, nullptr);
}

}  // namespace

std::string CheckWeight(const std::string& text)
{
    if (text.empty()) return "Error:  must enter value.";
    int slashes = 0;
    int points = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != '/')
            return platform::Format("%s is not a valid entry.", text.c_str());
        if (c == '-' && i != 0) return "Negative sign (-) must preceed the value.";
        if (c == '/') {
            if (i == 0) return "Value must preceed the slash (/).";
            if (++slashes > 1) return "Value cannot contain more than 1 slash (/)";
        }
        if (c == '.' && ++points > 1) return "Value cannot contain more than 1 decimal point (.)";
        if (slashes == 1 && points == 1) return "Value cannot contain both a decimal point (.) and a slash (/).";
    }
    // A zero denominator would put an infinite or undefined weight into the kernel.
    const size_t slash = text.find('/');
    if (slash != std::string::npos && std::strtod(text.c_str() + slash + 1, nullptr) == 0)
        return platform::Format("%s divides by zero.  The value after the slash (/) must not be 0.", text.c_str());
    // So would a number beyond single precision (also one of two huge parts).
    if (!(std::fabs(RoughValue(text, slash)) <= kLargestWeight))
        return platform::Format("%s is too large.  A weight must lie between -3.4e38 and 3.4e38.", text.c_str());
    return {};
}

int ValidateWeights(const std::vector<std::string>& texts, int& badIndex, std::string& message)
{
    for (size_t i = 0; i < texts.size(); ++i) {
        message = CheckWeight(texts[i]);
        if (!message.empty()) {
            badIndex = static_cast<int>(i);
            return -1;
        }
    }
    return 0;
}

float ParseWeight(const std::string& text)
{
    const size_t mark = text.find_first_of("/.");
    if (mark == std::string::npos) {
        errno = 0;
        const long whole = std::strtol(text.c_str(), nullptr, 10);
        // The integer conversion stops at the range of long; the typed value
        // is wanted, and it fits a float.
        if (errno == ERANGE) return std::strtof(text.c_str(), nullptr);
        return static_cast<float>(whole);
    }
    if (text[mark] == '.') return static_cast<float>(std::strtod(text.c_str(), nullptr));
    const double numerator = std::strtod(text.substr(0, mark).c_str(), nullptr);
    const double denominator = std::strtod(text.c_str() + mark + 1, nullptr);
    return static_cast<float>(numerator / denominator);
}
