// The error messages of a stretch of work, kept instead of shown.
#include "platform/CapturedErrors.h"

namespace platform {

CapturedErrors::CapturedErrors() : previous_(ui()) { install(this); }

CapturedErrors::~CapturedErrors() { install(&previous_); }

void CapturedErrors::message(const std::string& text, MessageKind kind)
{
    if (kind != MessageKind::Error) {
        previous_.message(text, kind);
        return;
    }
    if (!text_.empty()) text_ += '\n';
    text_ += text;
}

}  // namespace platform
