// One call into the core from Python. The core's user interface, its preset
// answer and its 16-bit range are process-wide, so calls take turns: each
// holds one lock while the core works (the GIL is released meanwhile, and
// the core spreads its own work over the cores). Notices and errors are
// collected instead of shown; questions get the call's answer.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/CapturedErrors.h"
#include "platform/Format.h"
#include "series/FileOptions.h"

namespace nuvakpy {

// A failure of an operation, with its own text: nuvak.Error.
struct CoreFailure {
    std::string text;
};
// A refused or unwritable file, with the core's text: OSError.
struct FileFailure {
    std::string text;
};

class CoreCall {
public:
    // range: none keeps each file's own range.
    CoreCall(const std::optional<SampleRange>& range, bool answer);
    CoreCall(const CoreCall&) = delete;
    CoreCall& operator=(const CoreCall&) = delete;

    // The errors shown so far, without the trailing line end.
    std::string Shown() const;
    const std::vector<std::string>& Notices() const { return shown_.Notices(); }

private:
    std::lock_guard<std::mutex> lock_;
    ScopedSampleRange range_;
    platform::PresetAnswer answer_;
    platform::CapturedErrors shown_;
};

using platform::TrimNewlines;

}  // namespace nuvakpy
