// How the core talks to the user: questions, messages and the wait cursor go
// through one installed interface, implemented by the GUI, the CLI and tests.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageKind {
    Notice,  // information the user should see, the operation goes on
    Error    // a refusal or failure; an abort usually follows
};

struct UserInterface {
    virtual ~UserInterface() = default;
    virtual bool askYesNo(const std::string& text) = 0;
    // A question answered for the user by a PresetAnswer: only shown where
    // the interface keeps a transcript.
    virtual void answered(const std::string& /*text*/, bool /*answer*/) {}
    virtual void message(const std::string& text, MessageKind kind) = 0;
    virtual void beginWait() = 0;
    virtual void endWait() = 0;
};

// Installs the process-wide interface; nullptr restores the quiet default
// (answers Yes, shows nothing).
void install(UserInterface* ui);
UserInterface& ui();

bool askYesNo(const std::string& text);
void notice(const std::string& text);
void error(const std::string& text);

// A failure that has already been shown: callers end the command without a
// second message.
struct UserAbort : std::exception {
    const char* what() const noexcept override { return "operation abandoned"; }
};

// Raises the silent abort after showing text as an error.
[[noreturn]] void abortWith(const std::string& text);

// While alive, questions get this answer without the user being asked; an
// empty answer leaves them to the user. Scopes nest.
class PresetAnswer {
public:
    explicit PresetAnswer(std::optional<bool> answer);
    ~PresetAnswer();
    PresetAnswer(const PresetAnswer&) = delete;
    PresetAnswer& operator=(const PresetAnswer&) = delete;

private:
    std::optional<bool> previous_;
};

struct GivenAnswer {
    std::string question;
    bool yes = false;
};

// While alive, collects the answers given to questions, so that a step can
// be recorded with them.
class AnswerRecorder {
public:
    AnswerRecorder();
    ~AnswerRecorder();
    AnswerRecorder(const AnswerRecorder&) = delete;
    AnswerRecorder& operator=(const AnswerRecorder&) = delete;
    const std::vector<GivenAnswer>& Answers() const { return answers_; }

private:
    friend bool askYesNo(const std::string& text);
    AnswerRecorder* previous_;
    std::vector<GivenAnswer> answers_;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { ui().beginWait(); }
    ~WaitCursor() { ui().endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace platform
