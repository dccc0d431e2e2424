// How the core talks to the user: questions, messages and the wait cursor go
// through one installed interface, implemented by the GUI, the CLI and tests.
#pragma once

#include <exception>
#include <string>

namespace platform {

enum class MessageKind {
    Notice,  // information the user should see, the operation goes on
    Error    // a refusal or failure; an abort usually follows
};

struct UserInterface {
    virtual ~UserInterface() = default;
    virtual bool askYesNo(const std::string& text) = 0;
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

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { ui().beginWait(); }
    ~WaitCursor() { ui().endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace platform
