// The numeric edit's behaviour: which keys it lets through and the value it
// keeps, re-read from its whole text after every key.
#pragma once

#include <string>

constexpr char kBackspace = '\b';

// Digits, "." and backspace; anything else is dropped with a beep.
bool NumericEditAccepts(char key);
// Shown at the edit while a dropped key is the last one typed.
inline constexpr const char* kNumericEditKeys = "Only digits and a decimal point can be typed here.";

class NumericEdit {
public:
    explicit NumericEdit(double initial = 0);

    // A key typed at the end of the text; false when dropped (beep). The
    // value is re-read either way.
    bool Type(char key);
    // Text put in by the program or a paste; the value follows it.
    void SetText(const std::string& text);

    const std::string& Text() const { return text_; }
    double Value() const { return value_; }

private:
    std::string text_;
    double value_;
};
