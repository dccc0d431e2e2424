#include "cli/CliUserInterface.h"

bool CliUserInterface::askYesNo(const std::string& text)
{
    err_ << "question: " << text << " -> " << (answer_ ? "yes" : "no") << '\n';
    return answer_;
}

void CliUserInterface::message(const std::string& text, platform::MessageKind kind)
{
    err_ << (kind == platform::MessageKind::Notice ? "notice: " : "error: ") << text << '\n';
}
