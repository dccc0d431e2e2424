// nuvak-cli's commands: info, apply, run, calc and series, with their usage errors.
#include "cli/Cli.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliUserInterface.h"
#include "document/AttributesText.h"
#include "image/ImageFormat.h"
#include "image/Image.h"
#include "image/SampleDepth.h"
#include "platform/CapturedErrors.h"
#include "platform/Format.h"
#include "series/ConfirmationText.h"
#include "series/FileOptions.h"
#include "series/Operations.h"
#include "series/Recipe.h"
#include "series/SeriesEngine.h"
#include "series/SeriesPages.h"
#include "series/SeriesPaths.h"
#include "series/StepOptions.h"

namespace {

using platform::Format;
using platform::TrimNewlines;

using UsageError = OptionError;

struct Invocation {
    std::string command;
    std::vector<StepOption> options;
    std::vector<std::string> files;
};

Invocation Parse(int argc, const char* const* argv)
{
    Invocation inv;
    inv.command = argv[1];
    SplitOptions(std::vector<std::string>(argv + 2, argv + argc), inv.options, inv.files);
    return inv;
}

std::optional<std::string> Take(Invocation& inv, const std::string& name) { return TakeOption(inv.options, name); }

// The answer to questions that no step answers itself.
bool TakeAnswer(Invocation& inv) { return TakeAnswer(inv.options).value_or(true); }

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

// Installs the headless user for one command.
class InstalledUi {
public:
    InstalledUi(std::ostream& err, bool answer) : ui_(err, answer) { platform::install(&ui_); }
    ~InstalledUi() { platform::install(nullptr); }

private:
    CliUserInterface ui_;
};

// Without --allow-8bit, a result that would be written over an input of
// 16-bit samples is refused: its 16-bit levels would be lost.
std::string DeepOverwriteRefusal(const std::string& path)
{
    return Format("%s holds 16-bit samples, which 8-bit ones written over it would lose; give --allow-8bit to do that",
                  path.c_str());
}

void CheckDeepOverwrite(const std::vector<std::string>& inputs, const std::string& out)
{
    for (const std::string& in : inputs) {
        std::error_code ec;
        if (std::filesystem::equivalent(in, out, ec) && HoldsDeepSamples(in))
            throw UsageError{DeepOverwriteRefusal(in)};
    }
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
    InstalledUi ui(err, TakeAnswer(inv));
    const ScopedSampleRange range(TakeRange(inv.options));
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

// Reads IN, runs the steps in order and writes OUT with the files the steps
// make beside it, all only when every step succeeded.
int RunSteps(const std::vector<OperationStep>& steps, const std::string& inPath, const std::string& outPath,
             bool answer, int quality, const std::optional<CCalibration>& calibration, std::ostream& err)
{
    InstalledUi ui(err, answer);
    CImage image;
    if (!ReadImage(image, inPath, err)) return kExitFile;
    if (calibration) image.SetCalibration(*calibration);
    std::vector<ExtraImage> extras;
    try {
        for (size_t i = 0; i < steps.size(); ++i) {
            OperationOutputs outputs;
            if (RunStep(image, steps[i], outputs, true) != 0) {
                err << "nuvak-cli: ";
                if (steps.size() > 1 && steps[i].origin.empty())
                    err << "step " << i + 1 << " (" << steps[i].op->name << "): ";
                err << TrimNewlines(image.errorMessage) << '\n';
                return kExitFailed;
            }
            for (ExtraImage& extra : outputs.extras) extras.push_back(std::move(extra));
        }
    } catch (const platform::UserAbort&) {
        return kExitFailed;
    }

    std::vector<std::string> written;
    auto undo = [&written] {
        for (const std::string& path : written) std::filesystem::remove(path);
    };
    const FileFormat format = FormatForPath(outPath);
    for (ExtraImage& extra : extras) {
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

int Apply(Invocation& inv, std::ostream& err)
{
    const ScopedSampleRange range(TakeRange(inv.options));
    const int quality = TakeQuality(inv.options);
    const std::optional<CCalibration> calibration = TakeCalibration(inv.options);
    const bool allow8bit = Take(inv, "allow-8bit").has_value();
    OperationStep step = TakeStep(inv.options, inv.command);
    ExpectFiles(inv, 2, "IN OUT");
    if (!allow8bit) CheckDeepOverwrite({inv.files[0]}, inv.files[1]);
    // The CLI answers every question, yes unless told otherwise.
    const bool answer = step.answer.value_or(true);
    step.answer.reset();
    return RunSteps({step}, inv.files[0], inv.files[1], answer, quality, calibration, err);
}

int Run(Invocation& inv, std::ostream& err)
{
    const auto recipe = Take(inv, "recipe");
    if (!recipe) throw UsageError{"run needs --recipe FILE"};
    const bool answer = TakeAnswer(inv);
    const ScopedSampleRange range(TakeRange(inv.options));
    const int quality = TakeQuality(inv.options);
    const std::optional<CCalibration> calibration = TakeCalibration(inv.options);
    const bool allow8bit = Take(inv, "allow-8bit").has_value();
    RejectRemainingOptions(inv, "run");
    ExpectFiles(inv, 2, "IN OUT");
    if (!allow8bit) CheckDeepOverwrite({inv.files[0]}, inv.files[1]);
    std::vector<OperationStep> steps = ReadRecipe(*recipe);
    PlaceStepFiles(steps, FolderPrefix(inv.files[1]));
    return RunSteps(steps, inv.files[0], inv.files[1], answer, quality, calibration, err);
}

int Calc(Invocation& inv, std::ostream& err)
{
    const CalcOperation* op = &TakeCalcOperation(inv.options, inv.command);
    const bool answer = TakeAnswer(inv);
    const ScopedSampleRange range(TakeRange(inv.options));
    const int quality = TakeQuality(inv.options);
    const bool allow8bit = Take(inv, "allow-8bit").has_value();
    RejectRemainingOptions(inv, "calc");
    ExpectFiles(inv, 3, "A B OUT");
    if (!allow8bit) CheckDeepOverwrite({inv.files[0], inv.files[1]}, inv.files[2]);

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

int Series(Invocation& inv, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    const auto recipe = Take(inv, "recipe");
    const Operation* op = nullptr;
    if (!recipe) {
        op = &TakeOperation(inv.options, inv.command);
        if (!op->inSeries) throw UsageError{Format("\"%s\" is not a series operation", op->name)};
    } else if (Take(inv, "op")) {
        throw UsageError{"series takes --op NAME or --recipe FILE, not both"};
    }
    const bool answer = TakeAnswer(inv);
    const std::optional<AoiBox> aoi = TakeAoi(inv.options);
    if (recipe && aoi) throw UsageError{"--aoi does not apply to series --recipe: each step gives its own"};
    const auto outDir = Take(inv, "out");
    const bool overwrite = Take(inv, "overwrite").has_value();
    const bool progress = Take(inv, "progress").has_value() || errIsTerminal;
    const bool skipUnreadable = Take(inv, "skip-unreadable").has_value();
    const bool allow8bit = Take(inv, "allow-8bit").has_value();
    if (outDir && overwrite) throw UsageError{"series takes --out DIR or --overwrite, not both"};
    if (!outDir && !overwrite) throw UsageError{"series needs --out DIR or --overwrite"};
    if (outDir && outDir->empty()) throw UsageError{"--out needs a folder"};
    SeriesSettings settings;
    const ScopedSampleRange range(TakeRange(inv.options));
    settings.jpegQuality = TakeQuality(inv.options);
    settings.calibration = TakeCalibration(inv.options);
    settings.outputFormat = TakeFormat(inv.options);
    if (recipe)
        RejectRemainingOptions(inv, "series --recipe");
    else
        settings.params = TakeParams(inv.options, *op);
    if (inv.files.empty()) throw UsageError{"missing file argument: series expects FILE..."};
    if (const std::string refusal = SeriesFilesRefusal(inv.files, outDir, settings.outputFormat); !refusal.empty())
        throw UsageError{refusal};

    if (recipe) {
        settings.recipe = ReadRecipe(*recipe);
        settings.recipeName = *recipe;
    }

    InstalledUi ui(err, answer);
    settings.operationName = op ? op->name : kSeriesRecipeEntry;
    for (const std::string& file : inv.files) settings.AddFile(file);
    settings.overwriteChoice = overwrite ? SERIES_OVERWRITE : SERIES_SAVE_TO_FOLDER;
    settings.skipUnreadable = skipUnreadable;
    if (const std::string deep = settings.FirstDeepSourceReplaced(); !deep.empty() && !allow8bit)
        throw UsageError{DeepOverwriteRefusal(deep)};
    settings.outputFolder = overwrite ? FolderOf(inv.files[0]) : *outDir;
    {
        // The run reads the first file again and tells its notices then.
        const platform::CapturedErrors quiet({.errors = false, .notices = true});
        if (!ReadImage(settings.firstImage, inv.files[0], err)) {
            err << "nuvak-cli: Series processing aborted\n";
            return kExitFile;
        }
    }
    settings.aoiGiven = aoi.has_value();
    settings.inWizard = false;
    if (aoi && !SetAoi(settings.firstImage, aoi, true)) throw UsageError{settings.firstImage.errorMessage};
    // A missing --out folder is made with the folders above it, once nothing
    // else stands in the run's way.
    if (outDir) {
        std::error_code failed;
        std::filesystem::create_directories(*outDir, failed);
        if (failed) {
            err << "nuvak-cli: the --out folder " << *outDir << " could not be made: " << failed.message() << '\n';
            return kExitFile;
        }
    }
    PrintText(out, ConfirmationText(settings));
    out << '\n';

    SeriesCallbacks callbacks;
    callbacks.fileNotice = [](const std::string& text) { platform::notice(text); };
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
           "                  [--quality N] [--allow-8bit] IN OUT\n"
           "  nuvak-cli calc --op NAME [--range R] [--quality N] [--allow-8bit] A B OUT\n"
           "  nuvak-cli run --recipe FILE.nrcp [--answer yes|no] [--range R] [--quality N]\n"
           "                [--allow-8bit] IN OUT\n"
           "  nuvak-cli series --op NAME [parameters] [--aoi L,T,R,B] [--answer yes|no] [--progress]\n"
           "                   [--skip-unreadable] [--range R] [--quality N] [--format bmp|png|tif|jpg]\n"
           "                   (--out DIR | --overwrite [--allow-8bit]) FILE...\n"
           "  nuvak-cli series --recipe FILE.nrcp [--answer yes|no] [--progress] [--skip-unreadable]\n"
           "                   [--range R] [--quality N] [--format bmp|png|tif|jpg]\n"
           "                   (--out DIR | --overwrite [--allow-8bit]) FILE...\n"
           "\n"
           "Images are bitmap, PNG, TIFF or JPEG files, told apart by their content. OUT's\n"
           "extension chooses the written format: .png, .tif/.tiff, .jpg/.jpeg, anything else a\n"
           "bitmap. --quality sets the JPEG quality (1..100, default 95). 16-bit samples are\n"
           "mapped to 0..255 from the file's own lowest..highest level unless --range full\n"
           "(0..65535) or --range LO,HI (levels outside clamped) fixes the range. Images hold\n"
           "8 bits a sample, so a result written over an input of 16-bit samples (OUT naming\n"
           "IN, series --overwrite) is refused unless --allow-8bit is given.\n"
           "\n"
           "run applies the steps of a recipe in order and writes OUT only when all succeed. A\n"
           "recipe is UTF-8 text: the line \"nuvak recipe 1\", then one step per line in apply's\n"
           "options without files, e.g. --op \"Low Pass Filter\" --size 5 --aoi 10,10,300,200;\n"
           "blank lines and lines starting with # are ignored. A step without --aoi works on\n"
           "the whole image; one without --answer gets the command's answer. A bad recipe is\n"
           "refused as FILE:LINE: reason before anything runs. Results and overlay files named\n"
           "without a folder are written beside OUT.\n"
           "\n"
           "series applies one operation (or a recipe) to every FILE in turn, each whole or with\n"
           "--aoi clamped to it, writes each result under its file's name and in its format into DIR (or over\n"
           "the file itself with --overwrite; --format converts to another format) and a log\n"
           "series_M_D_YYYY H_M_S.log into DIR (or the first file's folder). It prints the\n"
           "confirmation text before and after the run and, with --progress or on a terminal,\n"
           "\"[i/n] FILE\" per file on standard error. Find Objects writes each image's objects\n"
           "to its own file (objects.dat -> objects_IMAGE.dat) beside its result, and all of\n"
           "them to objects_all.csv (CSV, one header) with the image's name first.\n"
           "\n"
           "apply, run and series take --pixel-size W[,H] --unit nm|um|mm|cm|m|in: the size of\n"
           "a pixel of every image read, in place of its file's resolution, and written with\n"
           "OUT. Find Objects then adds columns in the unit (x_um, area_um2, ...).\n"
           "--skip-unreadable logs a file that cannot be read as skipped and goes on (listed\n"
           "on standard error) instead of ending the run there. --out must not be the folder\n"
           "of a FILE whose result would replace it: use --overwrite for that.\n"
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
        if (inv.command == "run") return Run(inv, err);
        if (inv.command == "series") return Series(inv, out, err, &err == &std::cerr && ::isatty(STDERR_FILENO));
        throw UsageError{Format("unknown command \"%s\"", inv.command.c_str())};
    } catch (const UsageError& usage) {
        err << "nuvak-cli: " << usage.reason << "\nTry 'nuvak-cli --help' for more information.\n";
        return kExitUsage;
    } catch (const RecipeError& refusal) {
        err << "nuvak-cli: " << refusal.message << '\n';
        return kExitUsage;
    }
}
