// The error messages (and notices, where asked) of a stretch of work, kept
// instead of shown.
#include "platform/CapturedErrors.h"

namespace platform {

CapturedErrors::CapturedErrors(Keep keep) : previous_(ui()), keep_(keep) { install(this); }

CapturedErrors::~CapturedErrors() { install(&previous_); }

void CapturedErrors::message(const std::string& text, MessageKind kind)
{
    if (kind == MessageKind::Error && keep_.errors) {
        if (!text_.empty()) text_ += '\n';
        text_ += text;
    } else if (kind == MessageKind::Notice && keep_.notices) {
        notices_.push_back(text);
    } else {
        previous_.message(text, kind);
    }
}

}  // namespace platform
