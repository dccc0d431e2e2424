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

#include "image/ImageFormat.h"
#include "platform/CapturedErrors.h"

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
    // range: "file", "full" or "LO,HI"; none keeps the file's own range.
    CoreCall(const std::optional<std::string>& range, bool answer);
    ~CoreCall();
    CoreCall(const CoreCall&) = delete;
    CoreCall& operator=(const CoreCall&) = delete;

    // The errors shown so far, without the trailing line end.
    std::string Shown() const;
    const std::vector<std::string>& Notices() const { return shown_.Notices(); }

private:
    std::lock_guard<std::mutex> lock_;
    SampleRange before_;
    platform::PresetAnswer answer_;
    platform::CapturedErrors shown_;
};

// Strips the line ends a core message may end with.
std::string TrimNewlines(std::string text);

}  // namespace nuvakpy
