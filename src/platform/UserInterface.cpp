#include "platform/UserInterface.h"

namespace platform {
namespace {

struct QuietInterface final : UserInterface {
    bool askYesNo(const std::string&) override { return true; }
    void message(const std::string&, MessageKind) override {}
    void beginWait() override {}
    void endWait() override {}
};

QuietInterface quiet;
UserInterface* installed = &quiet;
std::optional<bool> preset;
AnswerRecorder* recorder = nullptr;

}  // namespace

void install(UserInterface* ui) { installed = ui ? ui : &quiet; }
UserInterface& ui() { return *installed; }

bool askYesNo(const std::string& text)
{
    bool answer;
    if (preset) {
        answer = *preset;
        installed->answered(text, answer);
    } else {
        answer = installed->askYesNo(text);
    }
    if (recorder) recorder->answers_.push_back({text, answer});
    return answer;
}

void notice(const std::string& text) { installed->message(text, MessageKind::Notice); }
void error(const std::string& text) { installed->message(text, MessageKind::Error); }

PresetAnswer::PresetAnswer(std::optional<bool> answer) : previous_(preset)
{
    if (answer) preset = answer;
}

PresetAnswer::~PresetAnswer() { preset = previous_; }

AnswerRecorder::AnswerRecorder() : previous_(recorder) { recorder = this; }
AnswerRecorder::~AnswerRecorder() { recorder = previous_; }

void abortWith(const std::string& text)
{
    error(text);
    throw UserAbort();
}

}  // namespace platform
