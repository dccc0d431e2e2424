#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"

CliResult RunCliWith(std::vector<std::string> args)
{
    args.insert(args.begin(), "nuvak-cli");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

void SaveBitmap(CImage& image, const std::string& path)
{
    std::string message;
    bool causeValid;
    int cause;
    ASSERT_EQ(image.SerializeFile(true, path, false, message, causeValid, cause), 0) << message;
}

CImage LoadBitmap(const std::string& path)
{
    CImage image;
    std::string message;
    bool causeValid;
    int cause;
    EXPECT_EQ(image.SerializeFile(false, path, false, message, causeValid, cause), 0) << message;
    return image;
}
