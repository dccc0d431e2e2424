#include "CoreCall.h"

namespace nuvakpy {
namespace {

std::mutex coreLock;

}  // namespace

CoreCall::CoreCall(const std::optional<SampleRange>& range, bool answer)
    : lock_(coreLock), range_(range), answer_(answer), shown_({.errors = true, .notices = true})
{
}

std::string CoreCall::Shown() const { return TrimNewlines(shown_.Text()); }

}  // namespace nuvakpy
