// The nuvak program's own options, told from Qt's and refused when unknown,
// before any display is needed.
#pragma once

#include <string>

struct NuvakOptions {
    bool help = false;
    bool version = false;
    // The first argument that looks like an option and is neither the
    // program's nor Qt's; empty when there is none.
    std::string unknown;
};

NuvakOptions ParseNuvakOptions(int argc, const char* const* argv);
// "nuvak: unknown option OPTION; see nuvak --help"
std::string UnknownOptionText(const std::string& option);
