#include "CoreCall.h"

#include "series/StepOptions.h"

namespace nuvakpy {
namespace {

std::mutex coreLock;

}  // namespace

CoreCall::CoreCall(const std::optional<std::string>& range, bool answer)
    : lock_(coreLock), before_(CurrentSampleRange()), answer_(answer), shown_({.errors = true, .notices = true})
{
    if (!range) return;
    const std::optional<SampleRange> parsed = ParseSampleRange(*range);
    if (!parsed) throw OptionError{"--range must be full or LO,HI with 0 <= LO < HI <= 65535"};
    SetSampleRange(*parsed);
}

CoreCall::~CoreCall() { SetSampleRange(before_); }

std::string CoreCall::Shown() const { return TrimNewlines(shown_.Text()); }

std::string TrimNewlines(std::string text)
{
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace nuvakpy
