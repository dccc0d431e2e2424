// Numeric edit: key filter and value re-read.
#include "forms/NumericEdit.h"

#include "forms/DataExchange.h"
#include "platform/Format.h"

bool NumericEditAccepts(char key) { return (key >= '0' && key <= '9') || key == '.' || key == kBackspace; }

NumericEdit::NumericEdit(double initial) : text_(platform::Format("%g", initial)), value_(initial) {}

bool NumericEdit::Type(char key)
{
    const bool accepted = NumericEditAccepts(key);
    if (accepted) {
        if (key != kBackspace)
            text_ += key;
        else if (!text_.empty())
            text_.pop_back();
    }
    value_ = LeadingNumber(text_);
    return accepted;
}

void NumericEdit::SetText(const std::string& text)
{
    text_ = text;
    value_ = LeadingNumber(text_);
}
