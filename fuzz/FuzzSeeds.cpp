// Writes the seed corpus of every fuzz target and the CLI's dictionary into
// the folder given: FOLDER/<target>/seed-N and FOLDER/CliArgsFuzz.dict.
// Everything is built here from the tables of the code, so the seeds follow
// the operations as they are added.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "series/Operations.h"
#include "series/Parameters.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;

namespace {

class SeedFolder {
public:
    SeedFolder(const fs::path& root, const char* target) : folder_(root / target) { fs::create_directories(folder_); }
    void Add(const std::string& bytes)
    {
        std::ofstream(folder_ / ("seed-" + std::to_string(++count_)), std::ios::binary) << bytes;
    }

private:
    fs::path folder_;
    int count_ = 0;
};

std::string Bytes(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

void BitmapSeeds(const fs::path& root)
{
    SeedFolder seeds(root, "BitmapReaderFuzz");
    for (int bits : {1, 4, 8, 24})
        for (auto [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{9, 2}}) {
            BitmapSpec spec;
            spec.width = w;
            spec.height = h;
            spec.bits = bits;
            const std::uint32_t colours = bits == 24 ? 0 : std::min(1u << bits, 4u);
            for (std::uint32_t k = 0; k < colours; ++k) spec.palette.push_back(k == 3 ? 0x00C08040 : k * 0x00505050);
            spec.colorsUsed = colours;
            for (int i = 0; i < w * h; ++i)
                spec.pixels.push_back(bits == 24 ? static_cast<std::uint32_t>(i * 0x00102030) : i % colours);
            seeds.Add(Bytes(BitmapBytes(spec)));
        }
}

std::string CommandLine(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty()) line += '\0';
        line += arg;
    }
    return line;
}

void CliSeeds(const fs::path& root)
{
    SeedFolder seeds(root, "CliArgsFuzz");
    for (const Operation& op : OperationTable()) {
        std::vector<std::string> args{"apply", "--op", op.name};
        for (ParamId id : op.params) {
            const ParamSpec& p = FindParam(id);
            if (id == ParamId::Results) args.insert(args.end(), {"--results", "objects.dat"});
            else if (*p.valueHint && *p.defaultText) args.insert(args.end(), {std::string("--") + p.option, p.defaultText});
        }
        args.insert(args.end(), {"--aoi", "0,0,7,5", "in.bmp", "out.bmp"});
        seeds.Add(CommandLine(args));
        args[args.size() - 2] = "grey.bmp";
        seeds.Add(CommandLine(args));
        if (op.inSeries) seeds.Add(CommandLine({"series", "--op", op.name, "--out", ".", "--progress", "in.bmp"}));
    }
    for (const CalcOperation& calc : CalcOperationTable())
        seeds.Add(CommandLine({"calc", "--op", calc.name, "in.bmp", "in.bmp", "out.bmp"}));
    seeds.Add(CommandLine({"info", "in.bmp"}));
    seeds.Add(CommandLine({"info", "text.txt"}));
    seeds.Add(CommandLine({"series", "--op", "Invert", "--overwrite", "in.bmp", "grey.bmp"}));
    seeds.Add(CommandLine({"--help"}));
    seeds.Add(CommandLine({"--version"}));
}

std::string DictionaryEntry(const std::string& token)
{
    std::string entry = "\"";
    for (unsigned char c : token) {
        if (c == '"' || c == '\\') entry += '\\';
        entry += static_cast<char>(c);
    }
    return entry + "\"\n";
}

void CliDictionary(const fs::path& root)
{
    std::set<std::string> tokens = {"info", "apply", "calc", "series", "--help", "--version", "--op", "--aoi",
                                    "--answer", "--out", "--overwrite", "--progress", "--", "yes", "no", "in.bmp",
                                    "grey.bmp", "text.txt", "out.bmp", "..", "0", "-1", "255", "1e308", "nan",
                                    "0,0,3,3", "-5,-5,99,99", std::string(1, '\0')};
    for (const Operation& op : OperationTable()) tokens.insert(op.name);
    for (const CalcOperation& calc : CalcOperationTable()) tokens.insert(calc.name);
    for (const ParamSpec& p : ParameterTable()) {
        tokens.insert(std::string("--") + p.option);
        if (*p.defaultText) tokens.insert(p.defaultText);
    }
    std::ofstream dict(root / "CliArgsFuzz.dict", std::ios::binary);
    for (const std::string& token : tokens) {
        std::string escaped;
        for (unsigned char c : DictionaryEntry(token)) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            escaped += c < 0x20 && c != '\n' ? std::string(hex) : std::string(1, static_cast<char>(c));
        }
        dict << escaped;
    }
}

// The operations target reads its input as a stream of choices, so any bytes
// are a valid start; fixed pseudo-random ones give each run the same seeds.
void OperationSeeds(const fs::path& root)
{
    SeedFolder seeds(root, "OperationsFuzz");
    std::mt19937 random(14);
    const size_t count = OperationTable().size() + CalcOperationTable().size();
    for (size_t i = 0; i < 4 * count; ++i) {
        std::string bytes(64 + i * 7 % 900, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        seeds.Add(bytes);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: FuzzSeeds FOLDER\n");
        return 2;
    }
    const fs::path root = argv[1];
    BitmapSeeds(root);
    CliSeeds(root);
    CliDictionary(root);
    OperationSeeds(root);
    return 0;
}
