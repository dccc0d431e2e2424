// Keeps the error messages shown while it lives instead of showing them,
// for callers that report a failure in their own words (the series log);
// questions, notices and the wait cursor go on to the interface installed
// before.
#pragma once

#include <string>

#include "platform/UserInterface.h"

namespace platform {

class CapturedErrors final : public UserInterface {
public:
    CapturedErrors();
    ~CapturedErrors() override;
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;

    // The messages kept, in order, separated by a line end.
    const std::string& Text() const { return text_; }

    bool askYesNo(const std::string& text) override { return previous_.askYesNo(text); }
    void message(const std::string& text, MessageKind kind) override;
    void beginWait() override { previous_.beginWait(); }
    void endWait() override { previous_.endWait(); }

private:
    UserInterface& previous_;
    std::string text_;
};

}  // namespace platform
