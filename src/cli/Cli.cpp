#include "cli/Cli.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliUserInterface.h"
#include "document/AttributesText.h"
#include "image/ImageFormat.h"
#include "image/Image.h"
#include "platform/Format.h"
#include "series/ConfirmationText.h"
#include "series/Operations.h"
#include "series/SeriesEngine.h"
#include "series/SeriesPaths.h"

namespace {

using platform::Format;

struct UsageError {
    std::string reason;
};

struct Option {
    std::string name;
    std::string value;
};

struct Invocation {
    std::string command;
    std::vector<Option> options;
    std::vector<std::string> files;
};

Invocation Parse(int argc, const char* const* argv)
{
    Invocation inv;
    inv.command = argv[1];
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            inv.files.push_back(arg);
            continue;
        }
        Option opt;
        const size_t eq = arg.find('=');
        opt.name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (IsFlagOption(opt.name)) {
            if (eq != std::string::npos) throw UsageError{Format("--%s takes no value", opt.name.c_str())};
        } else if (eq != std::string::npos) {
            opt.value = arg.substr(eq + 1);
        } else {
            if (i + 1 >= argc) throw UsageError{Format("--%s needs a value", opt.name.c_str())};
            opt.value = argv[++i];
        }
        inv.options.push_back(opt);
    }
    return inv;
}

// Removes and returns the value of a general option.
std::optional<std::string> Take(Invocation& inv, const std::string& name)
{
    std::optional<std::string> value;
    for (auto it = inv.options.begin(); it != inv.options.end();) {
        if (it->name == name) {
            value = it->value;
            it = inv.options.erase(it);
        } else {
            ++it;
        }
    }
    return value;
}

bool TakeAnswer(Invocation& inv)
{
    const auto answer = Take(inv, "answer");
    if (!answer || *answer == "yes") return true;
    if (*answer == "no") return false;
    throw UsageError{"--answer must be yes or no"};
}

void ExpectFiles(const Invocation& inv, size_t count, const char* names)
{
    if (inv.files.size() < count) throw UsageError{Format("missing file argument: %s expects %s", inv.command.c_str(), names)};
    if (inv.files.size() > count)
        throw UsageError{Format("too many file arguments: %s expects %s", inv.command.c_str(), names)};
}

void RejectRemainingOptions(const Invocation& inv, const char* what)
{
    if (!inv.options.empty())
        throw UsageError{Format("--%s is not an option of %s", inv.options.front().name.c_str(), what)};
}

std::string TrimNewlines(std::string text)
{
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// Installs the headless user for one command.
class InstalledUi {
public:
    InstalledUi(std::ostream& err, bool answer) : ui_(err, answer) { platform::install(&ui_); }
    ~InstalledUi() { platform::install(nullptr); }

private:
    CliUserInterface ui_;
};

// --range: how 16-bit samples are read, for this command only.
class ScopedRange {
public:
    explicit ScopedRange(Invocation& inv) : before_(CurrentSampleRange())
    {
        const auto text = Take(inv, "range");
        if (!text) return;
        const auto range = ParseSampleRange(*text);
        if (!range) throw UsageError{"--range must be full or LO,HI with 0 <= LO < HI <= 65535"};
        SetSampleRange(*range);
    }
    ~ScopedRange() { SetSampleRange(before_); }
    ScopedRange(const ScopedRange&) = delete;
    ScopedRange& operator=(const ScopedRange&) = delete;

private:
    SampleRange before_;
};

int TakeQuality(Invocation& inv)
{
    const auto text = Take(inv, "quality");
    if (!text) return WriteOptions().jpegQuality;
    size_t used = 0;
    int quality = 0;
    try {
        quality = std::stoi(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text->size() || quality < 1 || quality > 100)
        throw UsageError{"--quality must be an integer from 1 to 100"};
    return quality;
}

// Reads an image; false after the reason has been written to err.
bool ReadImage(CImage& image, const std::string& path, std::ostream& err)
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    try {
        if (image.SerializeFile(false, path, false, message, causeValid, cause) == 0) return true;
        err << "nuvak-cli: " << TrimNewlines(message) << '\n';
    } catch (const platform::UserAbort&) {
        // The reader has shown its reason.
    }
    return false;
}

// The format follows the path's extension.
bool WriteImage(CImage& image, const std::string& path, int quality, std::ostream& err)
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    if (image.SerializeFile(true, path, false, message, causeValid, cause, {std::nullopt, quality}) == 0) return true;
    err << "nuvak-cli: " << TrimNewlines(message) << '\n';
    return false;
}

std::string PathWithoutExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

// Extension of OUT's name, for the extra files written beside it.
std::string ExtensionOf(const std::string& path) { return path.substr(PathWithoutExtension(path).size()); }

int Info(Invocation& inv, std::ostream& out, std::ostream& err)
{
    ScopedRange range(inv);
    InstalledUi ui(err, TakeAnswer(inv));
    RejectRemainingOptions(inv, "info");
    ExpectFiles(inv, 1, "IN");
    CImage image;
    if (!ReadImage(image, inv.files[0], err)) return kExitFile;
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(inv.files[0], ec);
    out << AttributesText(ec ? inv.files[0] : full.lexically_normal().string(), image);
    out << FileFactsText(image);
    return kExitOk;
}

using Aoi = std::array<int, 4>;

Aoi ParseAoi(const std::string& text)
{
    int values[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == 3;
        if (last != (comma == std::string::npos)) throw UsageError{"--aoi must be L,T,R,B"};
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        size_t used = 0;
        try {
            values[i] = std::stoi(part, &used);
        } catch (const std::exception&) {
            throw UsageError{"--aoi must be L,T,R,B with four integers"};
        }
        if (used != part.size() || part.empty()) throw UsageError{"--aoi must be L,T,R,B with four integers"};
        start = comma + 1;
    }
    if (values[0] > values[2] || values[1] > values[3])
        throw UsageError{"--aoi needs L <= R and T <= B"};
    return {values[0], values[1], values[2], values[3]};
}

std::optional<Aoi> TakeAoi(Invocation& inv)
{
    const auto text = Take(inv, "aoi");
    if (!text) return std::nullopt;
    return ParseAoi(*text);
}

// With notices on, so a corner outside the image is reported as it is clamped.
void SetAoi(CImage& image, const std::optional<Aoi>& aoi)
{
    if (!aoi) return;
    image.SetUpperLeft((*aoi)[0], (*aoi)[1], true);
    image.SetLowerRight((*aoi)[2], (*aoi)[3], true);
}

const Operation& TakeOperation(Invocation& inv)
{
    const auto name = Take(inv, "op");
    if (!name) throw UsageError{Format("%s needs --op NAME", inv.command.c_str())};
    const Operation* op = FindOperation(*name);
    if (!op) throw UsageError{Format("unknown operation \"%s\"", name->c_str())};
    return *op;
}

OperationParams TakeParams(Invocation& inv, const Operation& op)
{
    for (ParamId id : op.params) {
        const ParamSpec& spec = FindParam(id);
        bool given = false;
        for (const Option& opt : inv.options) given |= opt.name == spec.option;
        if (spec.required && !given)
            throw UsageError{Format("\"%s\" needs --%s %s", op.name, spec.option, spec.valueHint)};
    }
    OperationParams params;
    for (const Option& opt : inv.options) {
        const ParamSpec* spec = nullptr;
        for (ParamId id : op.params)
            if (opt.name == FindParam(id).option) spec = &FindParam(id);
        if (!spec) {
            bool known = false;
            for (const ParamSpec& any : ParameterTable()) known |= opt.name == any.option;
            if (known) throw UsageError{Format("--%s does not apply to \"%s\"", opt.name.c_str(), op.name)};
            throw UsageError{Format("unknown option --%s", opt.name.c_str())};
        }
        const std::string problem = ApplyParam(params, spec->id, opt.value);
        if (!problem.empty()) throw UsageError{problem};
    }
    inv.options.clear();
    return params;
}

int Apply(Invocation& inv, std::ostream& err)
{
    const Operation& op = TakeOperation(inv);
    const bool answer = TakeAnswer(inv);
    const std::optional<Aoi> aoi = TakeAoi(inv);
    ScopedRange range(inv);
    const int quality = TakeQuality(inv);
    const OperationParams params = TakeParams(inv, op);
    ExpectFiles(inv, 2, "IN OUT");

    InstalledUi ui(err, answer);
    CImage image;
    if (!ReadImage(image, inv.files[0], err)) return kExitFile;
    SetAoi(image, aoi);
    OperationOutputs outputs;
    try {
        if (op.run(image, params, outputs) != 0) {
            err << "nuvak-cli: " << TrimNewlines(image.errorMessage) << '\n';
            return kExitFailed;
        }
    } catch (const platform::UserAbort&) {
        return kExitFailed;
    }

    const std::string& outPath = inv.files[1];
    std::vector<std::string> written;
    auto undo = [&written] {
        for (const std::string& path : written) std::filesystem::remove(path);
    };
    const FileFormat format = FormatForPath(outPath);
    for (ExtraImage& extra : outputs.extras) {
        // Beside a bitmap the extras keep their names; beside another format they take OUT's extension.
        const std::string suffix = format == FileFormat::Bitmap
                                       ? extra.suffix
                                       : PathWithoutExtension(extra.suffix) + ExtensionOf(outPath);
        const std::string path = extra.path.empty() ? PathWithoutExtension(outPath) + suffix : extra.path;
        if (!WriteImage(extra.image, path, quality, err)) {
            undo();
            return kExitFile;
        }
        written.push_back(path);
    }
    if (!WriteImage(image, outPath, quality, err)) {
        undo();
        return kExitFile;
    }
    return kExitOk;
}

int Calc(Invocation& inv, std::ostream& err)
{
    const auto name = Take(inv, "op");
    if (!name) throw UsageError{"calc needs --op NAME"};
    const CalcOperation* op = FindCalcOperation(*name);
    if (!op) throw UsageError{Format("unknown calculation \"%s\"", name->c_str())};
    const bool answer = TakeAnswer(inv);
    ScopedRange range(inv);
    const int quality = TakeQuality(inv);
    RejectRemainingOptions(inv, "calc");
    ExpectFiles(inv, 3, "A B OUT");

    InstalledUi ui(err, answer);
    CImage first, second;
    if (!ReadImage(first, inv.files[0], err) || !ReadImage(second, inv.files[1], err)) return kExitFile;
    try {
        if (op->run(first, second) != 0) {
            err << "nuvak-cli: " << TrimNewlines(first.errorMessage) << '\n';
            return kExitFailed;
        }
    } catch (const platform::UserAbort&) {
        return kExitFailed;
    }
    return WriteImage(first, inv.files[2], quality, err) ? kExitOk : kExitFile;
}

// Ends a text with exactly the line end it may lack.
void PrintText(std::ostream& out, const std::string& text)
{
    out << text;
    if (text.empty() || text.back() != '\n') out << '\n';
}

// The file list separates paths by "\r\n". In save mode every result lands
// in one folder under its base name, so two sources with one base name would
// silently overwrite each other's results.
void CheckSeriesFiles(const std::vector<std::string>& files, bool saveMode, std::optional<FileFormat> format)
{
    std::set<std::string> bases;
    std::set<std::string> paths;
    for (const std::string& file : files) {
        if (file.find("\r\n") != std::string::npos)
            throw UsageError{"a file name must not contain a carriage return and line feed"};
        const std::string name = OutputName(BaseName(file), format);
        if (saveMode && paths.insert(file).second && !bases.insert(name).second)
            throw UsageError{Format("two files are named %s; their results would overwrite each other in --out",
                                    name.c_str())};
    }
}

int Series(Invocation& inv, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    const Operation& op = TakeOperation(inv);
    if (!op.inSeries) throw UsageError{Format("\"%s\" is not a series operation", op.name)};
    const bool answer = TakeAnswer(inv);
    const std::optional<Aoi> aoi = TakeAoi(inv);
    const auto outDir = Take(inv, "out");
    const bool overwrite = Take(inv, "overwrite").has_value();
    const bool progress = Take(inv, "progress").has_value() || errIsTerminal;
    const bool skipUnreadable = Take(inv, "skip-unreadable").has_value();
    if (outDir && overwrite) throw UsageError{"series takes --out DIR or --overwrite, not both"};
    if (!outDir && !overwrite) throw UsageError{"series needs --out DIR or --overwrite"};
    if (outDir && outDir->empty()) throw UsageError{"--out needs a folder"};
    SeriesSettings settings;
    ScopedRange range(inv);
    settings.jpegQuality = TakeQuality(inv);
    if (const auto format = Take(inv, "format")) {
        settings.outputFormat = ParseFileFormat(*format);
        if (!settings.outputFormat) throw UsageError{"--format must be bmp, png, tif or jpg"};
    }
    settings.params = TakeParams(inv, op);
    if (inv.files.empty()) throw UsageError{"missing file argument: series expects FILE..."};
    CheckSeriesFiles(inv.files, outDir.has_value(), settings.outputFormat);
    if (outDir) {
        // A result written under its source's own name into the source's folder would replace it.
        std::vector<std::string> replaced;
        for (const std::string& file : inv.files)
            if (OutputName(BaseName(file), settings.outputFormat) == BaseName(file)) replaced.push_back(file);
        const std::string source = SourceInFolder(replaced, *outDir);
        if (!source.empty())
            throw UsageError{Format("%s lies in the --out folder, whose results would replace it; "
                                    "give --overwrite to do that",
                                    source.c_str())};
    }

    InstalledUi ui(err, answer);
    settings.operationName = op.name;
    for (const std::string& file : inv.files) settings.AddFile(file);
    settings.overwriteChoice = overwrite ? SERIES_OVERWRITE : SERIES_SAVE_TO_FOLDER;
    settings.skipUnreadable = skipUnreadable;
    settings.outputFolder = overwrite ? FolderOf(inv.files[0]) : *outDir;
    if (!ReadImage(settings.firstImage, inv.files[0], err)) {
        err << "nuvak-cli: Series processing aborted\n";
        return kExitFile;
    }
    SetAoi(settings.firstImage, aoi);
    PrintText(out, ConfirmationText(settings));
    out << '\n';

    SeriesCallbacks callbacks;
    const size_t count = inv.files.size();
    if (progress)
        callbacks.fileReached = [&err, count](int index, const std::string& path) {
            err << '[' << index + 1 << '/' << count << "] " << path << '\n';
        };
    const SeriesResult result = RunSeries(settings, callbacks);
    PrintText(out, result.confirmationText);
    for (const auto& [path, reason] : result.skipped) err << "nuvak-cli: skipped " << path << ": " << reason << '\n';
    if (result.ending == SeriesEnding::Abandoned)
        err << "nuvak-cli: series processing stopped at " << result.stoppedAt
            << " after the error above; the log has no closing line\n";
    return result.ending == SeriesEnding::Complete ? kExitOk : kExitFailed;
}

void PrintHelp(std::ostream& out)
{
    out << "Usage:\n"
           "  nuvak-cli --help | --version\n"
           "  nuvak-cli info [--range R] IN\n"
           "  nuvak-cli apply --op NAME [parameters] [--aoi L,T,R,B] [--answer yes|no] [--range R]\n"
           "                  [--quality N] IN OUT\n"
           "  nuvak-cli calc --op NAME [--range R] [--quality N] A B OUT\n"
           "  nuvak-cli series --op NAME [parameters] [--aoi L,T,R,B] [--answer yes|no] [--progress]\n"
           "                   [--skip-unreadable] [--range R] [--quality N] [--format bmp|png|tif|jpg]\n"
           "                   (--out DIR | --overwrite) FILE...\n"
           "\n"
           "Images are bitmap, PNG, TIFF or JPEG files, told apart by their content. OUT's\n"
           "extension chooses the written format: .png, .tif/.tiff, .jpg/.jpeg, anything else a\n"
           "bitmap. --quality sets the JPEG quality (1..100, default 95). 16-bit samples are\n"
           "mapped to 0..255 from the file's own lowest..highest level unless --range full\n"
           "(0..65535) or --range LO,HI (levels outside clamped) fixes the range.\n"
           "\n"
           "series applies one operation to every FILE in turn, with the AOI set on the first\n"
           "file, writes each result under its file's name and in its format into DIR (or over\n"
           "the file itself with --overwrite; --format converts to another format) and a log\n"
           "series_M_D_YYYY H_M_S.log into DIR (or the first file's folder). It prints the\n"
           "confirmation text before and after the run and, with --progress or on a terminal,\n"
           "\"[i/n] FILE\" per file on standard error.\n"
           "--skip-unreadable logs a file that cannot be read as skipped and goes on (listed\n"
           "on standard error) instead of ending the run there. --out must not be the folder\n"
           "of a FILE: use --overwrite to replace the sources.\n"
           "\n"
           "Questions are answered with --answer (default yes) and echoed on standard error\n"
           "as \"question: TEXT -> yes|no\"; notices as \"notice: TEXT\".\n"
           "\nOperations (--op NAME) and their parameters:\n";
    for (const Operation& op : OperationTable()) {
        out << Format("  %-20s %s%s\n", op.name, op.description, op.inSeries ? "" : " (not offered by series)");
        for (ParamId id : op.params) {
            const ParamSpec& spec = FindParam(id);
            std::string usage = std::string("--") + spec.option;
            if (*spec.valueHint) usage += std::string(" ") + spec.valueHint;
            out << Format("      %-28s %s", usage.c_str(), spec.help);
            if (*spec.defaultText) out << " (default " << spec.defaultText << ")";
            if (spec.required) out << " (required)";
            out << '\n';
        }
    }
    if (!CalcOperationTable().empty()) {
        out << "\nCalculations (calc --op NAME):\n";
        for (const CalcOperation& op : CalcOperationTable()) out << "  " << op.name << '\n';
    }
    out << "\nExit status: 0 success, 1 the operation failed (series: the run did not complete),\n"
           "2 usage error, 3 a file could not be read or written (series: the first file).\n";
}

}  // namespace

bool IsFlagOption(const std::string& name)
{
    return name == "below" || name == "above" || name == "overwrite" || name == "progress" ||
           name == "skip-unreadable" || name == "exclude-edge" || name == "own-pixels" || name == "summary";
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    try {
        if (argc < 2) throw UsageError{"no command given"};
        const std::string first = argv[1];
        if (first == "--help" || first == "-h" || first == "help") {
            PrintHelp(out);
            return kExitOk;
        }
        if (first == "--version") {
            out << "nuvak-cli " << NUVAK_VERSION << '\n';
            return kExitOk;
        }
        Invocation inv = Parse(argc, argv);
        if (inv.command == "info") return Info(inv, out, err);
        if (inv.command == "apply") return Apply(inv, err);
        if (inv.command == "calc") return Calc(inv, err);
        if (inv.command == "series") return Series(inv, out, err, &err == &std::cerr && ::isatty(STDERR_FILENO));
        throw UsageError{Format("unknown command \"%s\"", inv.command.c_str())};
    } catch (const UsageError& usage) {
        err << "nuvak-cli: " << usage.reason << "\nTry 'nuvak-cli --help' for more information.\n";
        return kExitUsage;
    }
}
