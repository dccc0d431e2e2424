// Reading a dialog's typed text as an integer or a number, with the standard
// texts shown when the text is refused.
#pragma once

#include <string>

// The value when ok; otherwise the text to show, with the focus going back
// to the field.
template <typename T>
struct Exchanged {
    bool ok = false;
    T value{};
    std::string message;
};

// Surrounding blanks are allowed; anything else but an optional sign and
// digits is refused with "Please enter an integer.".
Exchanged<int> ExchangeInt(const std::string& text);
// As above, then "Please enter an integer between %d and %d." outside min..max.
Exchanged<int> ExchangeInt(const std::string& text, int min, int max);
// A decimal number with an optional fraction and exponent; "Please enter a
// number." otherwise, also for infinities and values beyond a double.
Exchanged<double> ExchangeReal(const std::string& text);
// As above, then "Please enter a number between %g and %g." outside min..max.
Exchanged<double> ExchangeReal(const std::string& text, double min, double max);

// The leading decimal number of text, the rest ignored; 0 when there is none.
double LeadingNumber(const std::string& text);
