// Runs nuvak-cli in-process and keeps its status and both streams.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// args without the program name.
CliResult RunCliWith(std::vector<std::string> args);

// Bitmap files written and read for CLI tests; failures are test failures.
void SaveBitmap(CImage& image, const std::string& path);
CImage LoadBitmap(const std::string& path);
