// Runs nuvak-cli in-process and captures its exit status and both streams.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunTool(std::vector<std::string> args);
