// Keeps the error messages shown while it lives instead of showing them, for
// callers that report a failure in their own words (the series log), and the
// notices too where asked, for callers that gather them (a series, opening
// several files at once); questions, the messages not kept and the wait
// cursor go on to the interface installed before.
#pragma once

#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace platform {

// Which messages a CapturedErrors keeps.
struct CaptureKeep {
    bool errors = true;
    bool notices = false;
};

class CapturedErrors final : public UserInterface {
public:
    using Keep = CaptureKeep;
    explicit CapturedErrors(Keep keep = {});
    ~CapturedErrors() override;
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;

    // The errors kept, in order, separated by a line end.
    const std::string& Text() const { return text_; }
    // The notices kept, in order.
    const std::vector<std::string>& Notices() const { return notices_; }

    bool askYesNo(const std::string& text) override { return previous_.askYesNo(text); }
    void answered(const std::string& text, bool answer) override { previous_.answered(text, answer); }
    void message(const std::string& text, MessageKind kind) override;
    void beginWait() override { previous_.beginWait(); }
    void endWait() override { previous_.endWait(); }

private:
    UserInterface& previous_;
    Keep keep_;
    std::string text_;
    std::vector<std::string> notices_;
};

}  // namespace platform
