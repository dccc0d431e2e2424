// Integer and number exchange for dialog fields; locale-independent so a
// decimal comma setting cannot change what "1.5" means.
#include "forms/DataExchange.h"

#include <cctype>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "platform/Format.h"

namespace {

constexpr const char* kNotInteger = "Please enter an integer.";
constexpr const char* kNotNumber = "Please enter a number.";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(const std::string& text)
{
    std::string_view v(text);
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.back()))) v.remove_suffix(1);
    return v;
}

// Length of the decimal number (sign, digits, fraction, exponent) at the
// start of v; 0 when v does not start with one.
size_t DecimalLength(std::string_view v)
{
    size_t i = 0;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) ++i;
    size_t digits = 0;
    while (i < v.size() && IsDigit(v[i])) ++i, ++digits;
    if (i < v.size() && v[i] == '.') {
        ++i;
        while (i < v.size() && IsDigit(v[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < v.size() && (v[i] == 'e' || v[i] == 'E')) {
        size_t j = i + 1;
        if (j < v.size() && (v[j] == '+' || v[j] == '-')) ++j;
        const size_t start = j;
        while (j < v.size() && IsDigit(v[j])) ++j;
        if (j > start) i = j;
    }
    return i;
}

// Converts a text accepted by DecimalLength; false when beyond a double.
bool ToDouble(std::string_view v, double& value)
{
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    return ec == std::errc() && end == v.data() + v.size() && std::isfinite(value);
}

}  // namespace

Exchanged<int> ExchangeInt(const std::string& text)
{
    return ExchangeInt(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

Exchanged<int> ExchangeInt(const std::string& text, int min, int max)
{
    const bool ranged = min != std::numeric_limits<int>::min() || max != std::numeric_limits<int>::max();
    std::string_view v = Trimmed(text);
    const bool negative = !v.empty() && v.front() == '-';
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) v.remove_prefix(1);
    if (v.empty()) return {false, 0, kNotInteger};
    // Digits beyond any int saturate: they are refused as out of range.
    long long magnitude = 0;
    for (char c : v) {
        if (!IsDigit(c)) return {false, 0, kNotInteger};
        magnitude = std::min(magnitude * 10 + (c - '0'), 1LL << 40);
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < min || value > max) {
        if (!ranged) return {false, 0, kNotInteger};
        return {false, 0, platform::Format("Please enter an integer between %d and %d.", min, max)};
    }
    return {true, static_cast<int>(value), {}};
}

Exchanged<double> ExchangeReal(const std::string& text)
{
    const std::string_view v = Trimmed(text);
    double value = 0;
    if (v.empty() || DecimalLength(v) != v.size() || !ToDouble(v, value)) return {false, 0, kNotNumber};
    return {true, value, {}};
}

Exchanged<double> ExchangeReal(const std::string& text, double min, double max)
{
    Exchanged<double> result = ExchangeReal(text);
    if (result.ok && (result.value < min || result.value > max))
        return {false, 0, platform::Format("Please enter a number between %g and %g.", min, max)};
    return result;
}

double LeadingNumber(const std::string& text)
{
    std::string_view v(text);
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
    double value = 0;
    const size_t length = DecimalLength(v);
    if (length == 0 || !ToDouble(v.substr(0, length), value)) return 0;
    return value;
}
