// Running nuvak-cli in-process, and bitmap files for its tests.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// RunCli with "nuvak-cli" and args as argv.
CliRun RunTool(std::vector<std::string> args);

// Writes or reads a bitmap file, failing the test on an error.
void SaveBitmap(CImage& image, const std::string& path);
CImage LoadBitmap(const std::string& path);
