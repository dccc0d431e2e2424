#include "cli/CliUserInterface.h"

bool CliUserInterface::askYesNo(const std::string& text)
{
    answered(text, answer_);
    return answer_;
}

void CliUserInterface::answered(const std::string& text, bool answer)
{
    err_ << "question: " << text << " -> " << (answer ? "yes" : "no") << '\n';
}

void CliUserInterface::message(const std::string& text, platform::MessageKind kind)
{
    err_ << (kind == platform::MessageKind::Notice ? "notice: " : "error: ") << text << '\n';
}
