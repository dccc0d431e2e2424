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

}  // namespace

void install(UserInterface* ui) { installed = ui ? ui : &quiet; }
UserInterface& ui() { return *installed; }

bool askYesNo(const std::string& text) { return installed->askYesNo(text); }
void notice(const std::string& text) { installed->message(text, MessageKind::Notice); }
void error(const std::string& text) { installed->message(text, MessageKind::Error); }

void abortWith(const std::string& text)
{
    error(text);
    throw UserAbort();
}

}  // namespace platform
