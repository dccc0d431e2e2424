// nuvak-cli run in-process on generated command lines: the input is the
// argument list, one argument per NUL-separated piece. The process works in
// a scratch folder and every '/' becomes '_', so no file outside it is
// touched. The exit status must be 0..3, and a failed apply or calc must
// leave its OUT file as it found it.
#include <filesystem>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "FuzzSupport.h"
#include "cli/Cli.h"
#include "platform/Format.h"
#include "series/StepOptions.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxArguments = 24;

const fs::path& WorkFolder()
{
    static const fs::path work = fs::path(ScratchFolder()) / "work";
    return work;
}

// The bytes of an image's bitmap file, made once.
std::string BitmapText(CImage image)
{
    const std::string path = ScratchFolder() + "/made.bmp";
    std::string message;
    bool causeValid = false;
    int cause = 0;
    if (image.SerializeFile(true, path, false, message, causeValid, cause) != 0) FuzzFail(message);
    std::string bytes = *FileBytes(path);
    fs::remove(path);
    return bytes;
}

// Empties the scratch folder (an argument ".." reaches it) and writes the
// input files that command lines name.
void FreshInputs()
{
    static const std::string colour = BitmapText(MakeImage(8, 6, [](int x, int y) {
        return x > 1 && x < 6 && y > 1 && y < 5 ? CColorVal(200, 90, 40) : CColorVal(0, 0, 0);
    }));
    static const std::string grey = BitmapText(MakeGrey(8, 8, [](int x, int y) { return (x * 37 + y * 11) % 256; }));
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ScratchFolder()))
        if (entry.path() != WorkFolder()) fs::remove_all(entry.path(), ec);
    for (const auto& entry : fs::directory_iterator(WorkFolder())) fs::remove_all(entry.path(), ec);
    WriteFileBytes("in.bmp", colour);
    WriteFileBytes("grey.bmp", grey);
    WriteFileBytes("text.txt", "not a bitmap\n");
}

std::vector<std::string> Arguments(const std::uint8_t* data, size_t size)
{
    std::vector<std::string> args{"nuvak-cli"};
    std::string current;
    for (size_t i = 0; i < size && args.size() < kMaxArguments; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\0') {
            args.push_back(current);
            current.clear();
        } else {
            current += c == '/' ? '_' : c;
        }
    }
    if (!current.empty() && args.size() < kMaxArguments) args.push_back(current);
    return args;
}

// The file arguments as nuvak-cli separates them from its options.
std::vector<std::string> FileArguments(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--")
                optionsEnded = true;
            else
                files.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2, arg.find('=') - 2);
        if (!IsFlagOption(name) && arg.find('=') == std::string::npos) ++i;
    }
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fs::create_directories(WorkFolder());
    if (::chdir(WorkFolder().c_str()) != 0) FuzzFail("cannot enter the scratch folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::vector<std::string> args = Arguments(data, size);
    if (args.size() < 2) return 0;
    FreshInputs();

    const std::vector<std::string> files = FileArguments(args);
    const bool writesOut = (args[1] == "apply" && files.size() == 2) || (args[1] == "calc" && files.size() == 3);
    const std::optional<std::string> outBefore = writesOut ? FileBytes(files.back()) : std::nullopt;

    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    if (status < 0 || status > 3) FuzzFail(platform::Format("exit status %d", status));
    if (writesOut && status != 0 && FileBytes(files.back()) != outBefore)
        FuzzFail(platform::Format("status %d, yet OUT %s was written", status, files.back().c_str()));
    return 0;
}
