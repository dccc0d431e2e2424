// A scripted user for tests: records every text it is shown and answers
// questions from a queue (Yes once the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

class FakeUserInterface final : public platform::UserInterface {
public:
    FakeUserInterface() { platform::install(this); }
    ~FakeUserInterface() override { platform::install(nullptr); }

    bool askYesNo(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void message(const std::string& text, platform::MessageKind kind) override
    {
        (kind == platform::MessageKind::Notice ? notices : errors).push_back(text);
    }
    void beginWait() override { ++waitDepth, ++waitCount; }
    void endWait() override { --waitDepth; }

    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
    std::vector<std::string> errors;
    int waitDepth = 0;
    int waitCount = 0;
};
