// Running nuvak-cli in-process for tests.
#pragma once

#include <string>
#include <vector>

#include "support/BitmapFiles.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// RunCli with "nuvak-cli" and args as argv.
CliRun RunTool(std::vector<std::string> args);
