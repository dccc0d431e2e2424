#include "SeriesCalls.h"

#include <pybind11/stl.h>

#include "Calls.h"
#include "platform/Format.h"
#include "series/ConfirmationText.h"
#include "series/FileOptions.h"
#include "series/Recipe.h"
#include "series/SeriesFileRead.h"
#include "series/SeriesPages.h"
#include "series/SeriesRun.h"
#include "series/StepOptions.h"

namespace py = pybind11;

namespace nuvakpy {
namespace {

// What a run is given, alike for its start and for each of its files: the
// files, the output folder, the options as nuvak-cli series takes them
// (with --op, or without it for a recipe), the recipe's file or text and
// whether unreadable files are skipped.
struct RunGiven {
    std::vector<std::string> files;
    std::string outDir;
    Options options;
    std::optional<std::string> recipePath;
    std::optional<std::string> recipeText;
    bool skipUnreadable = false;
};

RunGiven GivenOf(const py::tuple& t)
{
    return {t[0].cast<std::vector<std::string>>(), t[1].cast<std::string>(), t[2].cast<Options>(),
            t[3].cast<std::optional<std::string>>(), t[4].cast<std::optional<std::string>>(), t[5].cast<bool>()};
}

// The run's settings as nuvak-cli series makes them, refused with its texts;
// the run's answer and AOI come back beside them.
struct Run {
    SeriesSettings settings;
    bool answer = true;
    std::optional<AoiBox> aoi;
    std::optional<SampleRange> range;
};

Run RunOf(const RunGiven& given)
{
    Run run;
    SeriesSettings& settings = run.settings;
    std::vector<StepOption> options = StepOptionsOf(given.options);
    const bool recipe = given.recipePath || given.recipeText;
    const Operation* op = recipe ? nullptr : &TakeOperation(options, "series");
    if (op && !op->inSeries) throw OptionError{platform::Format("\"%s\" is not a series operation", op->name)};
    run.answer = TakeAnswer(options).value_or(true);
    run.aoi = TakeAoi(options);
    if (recipe && run.aoi) throw OptionError{"--aoi does not apply to series --recipe: each step gives its own"};
    run.range = TakeRange(options);
    settings.jpegQuality = TakeQuality(options);
    settings.calibration = TakeCalibration(options);
    settings.outputFormat = TakeFormat(options);
    if (recipe && !options.empty())
        throw OptionError{platform::Format("--%s is not an option of series --recipe", options.front().name.c_str())};
    if (op) settings.params = TakeParams(options, *op);
    if (given.files.empty()) throw OptionError{"missing file argument: series expects FILE..."};
    if (given.outDir.empty()) throw OptionError{"--out needs a folder"};
    if (const std::string refusal = SeriesFilesRefusal(given.files, given.outDir, settings.outputFormat);
        !refusal.empty())
        throw OptionError{refusal};
    if (given.recipePath) {
        settings.recipe = ReadRecipe(*given.recipePath);
        settings.recipeName = *given.recipePath;
    } else if (given.recipeText) {
        settings.recipe = ParseRecipe(*given.recipeText, "recipe");
        settings.recipeName = "recipe";
    }
    settings.operationName = op ? op->name : kSeriesRecipeEntry;
    for (const std::string& file : given.files) settings.AddFile(file);
    settings.overwriteChoice = SERIES_SAVE_TO_FOLDER;
    settings.skipUnreadable = given.skipUnreadable;
    settings.outputFolder = given.outDir;
    settings.aoiGiven = run.aoi.has_value();
    settings.inWizard = false;
    return run;
}

// The first image's format, size and AOI: all that the run takes from it
// once it has been read.
using FirstFacts = std::tuple<int, int, int, AoiBox>;

FirstFacts FactsOf(const CImage& first)
{
    return {first.format, first.width, first.height, {first.aoiLeft, first.aoiTop, first.aoiRight, first.aoiBottom}};
}

// Reads the first file, gives it the run's AOI and makes the confirmation
// text: the texts for the log and the first image's facts.
py::tuple Start(const py::tuple& t)
{
    const RunGiven given = GivenOf(t);
    std::string text, logName;
    FirstFacts first;
    bool aoiKept = false;
    std::vector<std::string> notices;
    {
        py::gil_scoped_release free;
        Run run = RunOf(given);
        CoreCall call(run.range, run.answer);
        SeriesSettings& settings = run.settings;
        std::vector<std::string> quiet;  // the run tells the first file's notices when it reads it again
        if (const std::optional<std::string> refusal = ReadSeriesFile(settings.firstImage, given.files[0], &quiet))
            throw FileFailure{TrimNewlines(*refusal)};
        if (run.aoi && !SetAoi(settings.firstImage, run.aoi, true))
            throw OptionError{settings.firstImage.errorMessage};
        text = ConfirmationText(settings);
        logName = LogFileName(LocalNow());
        first = FactsOf(settings.firstImage);
        const Operation* op = FindSeriesOperation(settings.operationName);
        aoiKept = op && op->aoiKept;
        notices = call.Notices();
    }
    Warn(notices);
    return py::make_tuple(text, logName, first, aoiKept);
}

// Processes file index of the run into the folder staging, its log lines
// going to logPath; kept is the AOI the first file processed left, which
// the engine gives the files after it. Returns the ending message ("" when
// the file was done or skipped), the text shown before a silent abort (none
// without one), the skipped file with its reason, the first image's AOI
// afterwards, the results added to combined tables, whether the log lost a
// write, and the notices, which the caller raises as warnings.
py::tuple File(const py::tuple& t, int index, const FirstFacts& first, const std::optional<AoiBox>& kept,
               const std::string& staging, const std::string& logPath)
{
    const RunGiven given = GivenOf(t);
    std::string message;
    std::optional<std::string> abandoned;
    std::vector<std::pair<std::string, std::string>> skipped;
    std::vector<std::pair<std::string, std::string>> added;
    AoiBox firstAoi;
    bool logLost = false;
    std::vector<std::string> notices;
    {
        py::gil_scoped_release free;
        Run run = RunOf(given);
        if (index < 0 || index >= static_cast<int>(given.files.size())) throw OptionError{"no such file of the run"};
        CoreCall call(run.range, run.answer);
        SeriesSettings& settings = run.settings;
        settings.outputFolder = staging;
        CImage& image = settings.firstImage;
        std::tie(image.format, image.width, image.height, std::ignore) = first;
        const auto giveAoi = [&image](const AoiBox& aoi) {
            std::tie(image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom) =
                std::tie(aoi[0], aoi[1], aoi[2], aoi[3]);
        };
        giveAoi(std::get<3>(first));
        SeriesLog log;
        if (!log.Open(logPath)) throw FileFailure{logPath + " could not be opened for output."};
        SeriesCallbacks callbacks;
        callbacks.fileNotice = [](const std::string& text) { platform::notice(text); };
        SeriesRun files(settings, callbacks, FindSeriesOperation, log);
        // After the run has judged by the first image whether files are taken whole.
        if (kept) giveAoi(*kept);
        try {
            message = files.ProcessFile(index, given.files[index]);
        } catch (const platform::UserAbort&) {
            abandoned = call.Shown();
        }
        log.Close();
        logLost = log.Failed();
        skipped = files.Skipped();
        for (const AddedResults& results : files.Added()) added.emplace_back(results.table, results.results);
        firstAoi = std::get<3>(FactsOf(image));
        notices = call.Notices();
    }
    return py::make_tuple(message, abandoned, skipped, firstAoi, added, logLost, notices);
}

// What nuvak-cli series prints after the run: "complete", "ended" (with
// the message), "not opened" or "not written" (the log).
std::string EndingText(const std::string& ending, const std::string& confirmation, const std::string& logPath,
                       const std::string& message, size_t skipped)
{
    if (ending == "complete") return CompleteText(logPath, false) + SkippedText(skipped);
    if (ending == "ended") return confirmation + EndedText(message, logPath);
    if (ending == "not opened") return confirmation + LogNotOpenedText(logPath);
    return confirmation + LogNotWrittenText(logPath);
}

}  // namespace

void AddSeriesCalls(py::module_& m)
{
    m.def("series_start", &Start, py::arg("given"));
    m.def("series_file", &File, py::arg("given"), py::arg("index"), py::arg("first"), py::arg("kept"),
          py::arg("staging"), py::arg("log"));
    m.def("series_ending", &EndingText);
    m.def("log_opening", &LogOpening);
    m.def("log_closing", &LogClosing);
    m.def("join_path", &JoinPath);
    py::class_<SeriesLog>(m, "SeriesLog")
        .def(py::init<>())
        .def("open", &SeriesLog::Open)
        .def("write", &SeriesLog::Write)
        .def("close", &SeriesLog::Close)
        .def("failed", &SeriesLog::Failed);
    py::class_<CombinedTable>(m, "CombinedTable")
        .def(py::init<std::string>())
        .def("add", &CombinedTable::Add);
}

}  // namespace nuvakpy
