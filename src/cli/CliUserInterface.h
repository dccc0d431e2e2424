// The headless user: answers every question with one fixed answer and echoes
// questions, notices and errors on the error stream. Never reads the keyboard.
#pragma once

#include <ostream>

#include "platform/UserInterface.h"

class CliUserInterface final : public platform::UserInterface {
public:
    CliUserInterface(std::ostream& err, bool answer) : err_(err), answer_(answer) {}
    bool askYesNo(const std::string& text) override;
    void answered(const std::string& text, bool answer) override;
    void message(const std::string& text, platform::MessageKind kind) override;
    void beginWait() override {}
    void endWait() override {}

private:
    std::ostream& err_;
    bool answer_;
};
