// Writes the seed corpus of every fuzz target and the dictionaries into the
// folder given: FOLDER/<target>/seed-N and FOLDER/<target>.dict.
// Everything is built here from the tables of the code, so the seeds follow
// the operations as they are added.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ReaderSeeds.h"
#include "series/Operations.h"
#include "series/Parameters.h"
#include "series/Recipe.h"
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
    // The longer info headers, 32-bit pixels plain and with colour masks, top-down rows.
    for (std::uint32_t header : {40u, 108u, 124u})
        for (std::uint32_t compression : {0u, 3u}) {
            BitmapSpec spec;
            spec.width = 5;
            spec.height = compression == 0 ? -3 : 3;
            spec.bits = 32;
            spec.headerSize = header;
            spec.compression = compression;
            if (compression == 3) spec.masks = {0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000};
            for (int i = 0; i < 15; ++i) spec.pixels.push_back(static_cast<std::uint32_t>(i) * 0x11223344u);
            seeds.Add(Bytes(BitmapBytes(spec)));
        }
}

// Grey and colour images written by the format's writer, the files the
// libraries write in their many variants, and the regression files: valid
// and hostile files for the fuzzer to take apart.
void ImageSeeds(const fs::path& root, const char* target, FileFormat format, const std::vector<std::string>& written,
                const std::vector<const char*>& regressions)
{
    SeedFolder seeds(root, target);
    for (const std::string& file : written) seeds.Add(file);
    for (const char* name : regressions) {
        std::ifstream in(fs::path(NUVAK_SOURCE_DIR) / "tests/data/hostile" / name, std::ios::binary);
        seeds.Add(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    const fs::path scratch = root / (std::string(target) + ".tmp");
    for (auto [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{17, 9}}) {
        CImage rgb = MakeImage(w, h, [](int x, int y) { return CColorVal(x * 40, y * 70, (x + y) * 20); });
        CImage grey = MakeGrey(w, h, [](int x, int y) { return x * 30 + y * 5; });
        rgb.xPixelsPerMetre = rgb.yPixelsPerMetre = 2835;
        for (CImage* image : {&rgb, &grey}) {
            std::string message;
            bool causeValid = false;
            int cause = 0;
            if (image->SerializeFile(true, scratch.string(), false, message, causeValid, cause, {format, 90}) != 0) {
                std::fprintf(stderr, "%s", message.c_str());
                std::exit(1);
            }
            std::ifstream in(scratch, std::ios::binary);
            seeds.Add(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        }
    }
    fs::remove(scratch);
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

// A libFuzzer dictionary: one quoted token a line, with control characters
// and quotes escaped.
void WriteDictionary(const fs::path& path, const std::set<std::string>& tokens)
{
    std::ofstream dict(path, std::ios::binary);
    for (const std::string& token : tokens) {
        std::string entry = "\"";
        for (unsigned char c : token) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            entry += c < 0x20 || c == '"' || c == '\\' ? std::string(hex) : std::string(1, static_cast<char>(c));
        }
        dict << entry << "\"\n";
    }
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
    WriteDictionary(root / "CliArgsFuzz.dict", tokens);
}

// Filter files of every size with whole, decimal and fractional weights, and
// the ways a file goes wrong: a bad size, too few lines, long lines, bare
// line feeds, invalid and out-of-range weights.
void FilterFileSeeds(const fs::path& root)
{
    SeedFolder seeds(root, "FilterFileFuzz");
    const std::vector<std::string> weights = {"1", "-1", "0", "1/9", "-1/8", "0.25", "-.5", "007", "2/3", "-", "."};
    auto file = [](const std::string& size, const std::vector<std::string>& lines, const std::string& end) {
        std::string text = size + end;
        for (const std::string& line : lines) text += line + end;
        return text;
    };
    for (int size : {3, 5, 7, 9}) {
        std::vector<std::string> lines;
        for (int i = 0; i < size * size; ++i) lines.push_back(weights[static_cast<size_t>(i) % weights.size()]);
        seeds.Add(file(std::to_string(size), lines, "\r\n"));
        seeds.Add(file(std::to_string(size), lines, "\n"));
        lines.pop_back();
        seeds.Add(file(std::to_string(size), lines, "\r\n"));
    }
    const std::vector<std::string> nine(9, "1/9");
    for (const char* size : {"4", "0", "-3", "11", "size", " 3", "3x3", "99999999999"})
        seeds.Add(file(size, nine, "\r\n"));
    std::vector<std::string> odd = nine;
    odd[1] = "1/0";
    odd[2] = "12a";
    odd[3] = std::string(79, '9');
    odd[4] = std::string(60, '9') + ".5";
    odd[5] = std::string(45, '9') + "/" + std::string(30, '9');
    odd[6] = std::string(100, '1');
    odd[7] = "1.5/2";
    seeds.Add(file("3", odd, "\r\n") + "extra\r\n");
    seeds.Add(std::string(39, '9') + ".0");
    seeds.Add(std::string(400, '9') + "/" + std::string(400, '9'));
    WriteDictionary(root / "FilterFileFuzz.dict",
                    {"\r\n", "\n", "\r", "3\r\n", "5\r\n", "7\r\n", "9\r\n", "1/9", "-1/8", "0.25", "/", ".", "-",
                     "0", "1/0", "99999999999999999999", std::string(1, '\0')});
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

// One step of every operation with its defaults, and the words of the format.
void RecipeSeeds(const fs::path& root)
{
    SeedFolder seeds(root, "RecipeFuzz");
    std::set<std::string> words = {"nuvak recipe 1\n", "\n", "\r\n", "#", "\"", "'", "\\", "--op ", "--aoi 1,2,3,4",
                                   "--answer yes", "--answer no", "="};
    for (const Operation& op : OperationTable()) {
        const OperationStep step{&op, {}, {}, {}};
        seeds.Add(std::string(kRecipeHeader) + "\n" + StepCommandLine(step) + "\n");
        words.insert(QuoteWord(op.name));
    }
    for (const ParamSpec& spec : ParameterTable()) words.insert(std::string("--") + spec.option + " ");
    WriteDictionary(root / "RecipeFuzz.dict", words);
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
    ImageSeeds(root, "PngReaderFuzz", FileFormat::Png, PngSeedFiles(), {"oom.png"});
    ImageSeeds(root, "TiffReaderFuzz", FileFormat::Tiff, TiffSeedFiles(root / "libtiff.tmp"), {"slow.tif"});
    ImageSeeds(root, "JpegReaderFuzz", FileFormat::Jpeg, JpegSeedFiles(), {});
    CliSeeds(root);
    CliDictionary(root);
    FilterFileSeeds(root);
    OperationSeeds(root);
    RecipeSeeds(root);
    return 0;
}
