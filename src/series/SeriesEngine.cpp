// The series run: one file after another, each read, given the run's AOI,
// processed by the operation table's row and written, with its log.
#include "series/SeriesEngine.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/CombinedTable.h"
#include "series/ConfirmationText.h"
#include "series/SeriesFileRead.h"
#include "series/SeriesLog.h"
#include "image/ImageFormat.h"

namespace {

using platform::Format;

template <typename F, typename... Args>
void Notify(const std::function<F>& callback, Args&&... args)
{
    if (callback) callback(std::forward<Args>(args)...);
}

using OperationRunner = std::function<int(const OperationParams& params, OperationOutputs& outputs)>;

class SeriesRun {
public:
    SeriesRun(SeriesSettings& settings, const SeriesCallbacks& callbacks, const OperationLookup& lookup,
              SeriesLog& log)
        : settings_(settings), callbacks_(callbacks), log_(log), op_(lookup(settings.operationName)),
          params_(settings.params), wholeFiles_(settings.WholeFiles())
    {
        // Bound takes its fill colour by the first image's format.
        params_.firstImageFormat = settings.firstImage.format;
    }

    // "" when the file was done or skipped, else the message that ends the run.
    std::string ProcessFile(int index, const std::string& path);
    const std::vector<std::pair<std::string, std::string>>& Skipped() const { return skipped_; }
    std::vector<std::string> CombinedPaths() const
    {
        std::vector<std::string> paths;
        for (const auto& [path, table] : combined_) paths.push_back(path);
        return paths;
    }

private:
    std::string Write(CImage& image, const std::string& path, FileFormat format) const;
    std::string OutputPath(const std::string& source, const std::string& name) const;
    // A file of the image's own from a name the run gives every image, and
    // the image's stem (objects.dat -> objects_IMAGE.dat), where the image's
    // result goes.
    std::string OwnPath(const std::string& source, const std::string& name) const;
    // Runs one operation; "" or the message that ends the run. Find Objects
    // writes each image's results and overlay under names of its own, adds
    // the rows to the run's combined table and logs the file.
    std::string RunOperation(CImage& working, const std::string& source, const Operation& op,
                             OperationParams params, const OperationRunner& run);
    // Gives the file the run's AOI; "" or the message that ends the run.
    std::string SetFileAoi(CImage& working, const std::string& path);
    std::string WriteExtras(OperationOutputs& outputs, const std::string& source, FileFormat format) const;
    // Adds the rows of an image's results file to the combined table of that
    // file's name, each after the image's file name; "" or the message that
    // ends the run.
    std::string AddToCombined(const std::string& source, const std::string& given, const std::string& results);

    SeriesSettings& settings_;
    const SeriesCallbacks& callbacks_;
    SeriesLog& log_;
    const Operation* op_;
    OperationParams params_;
    std::vector<std::pair<std::string, std::string>> skipped_;
    std::map<std::string, CombinedTable> combined_;  // by path
    const bool wholeFiles_;
    bool firstDone_ = false;  // the first file has been processed
};

// The reader's text on one line, for the log's line of a skipped file.
std::string OneLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string SeriesRun::ProcessFile(int index, const std::string& path)
{
    Notify(callbacks_.dispatchMessages, kSeriesDispatchLimit);
    if (settings_.abortRequest) {
        settings_.abortRequest = false;
        return Format("Image Series processing canceled by user at file %s", path.c_str());
    }

    // Progress and status name the file before it is read, so that a slow
    // or refused file shows as the one being worked on.
    const int count = std::max(settings_.fileCount, 1);
    Notify(callbacks_.setProgress, static_cast<int>(std::min<std::int64_t>(100, (index + 1LL) * 100 / count)));
    const std::string status = Format("Now processing %s", path.c_str());
    Notify(callbacks_.setStatus, status);

    CImage working;
    std::vector<std::string> notices;
    if (const std::optional<std::string> refusal = ReadSeriesFile(working, path, &notices)) {
        if (!settings_.skipUnreadable)
            return Format("Image Series processing aborted.\nAn error occurred while attempting to read the file\n%s\n"
                          "from disk.\n\n%s",
                          path.c_str(), refusal->c_str());
        skipped_.emplace_back(path, OneLine(*refusal));
        log_.Write(Format("Skipped %s: %s\n", path.c_str(), skipped_.back().second.c_str()));
        return std::string();
    }
    if (settings_.calibration) working.SetCalibration(*settings_.calibration);
    Notify(callbacks_.fileReached, index, path);
    log_.Write(status + "\n");
    for (const std::string& notice : notices) {
        log_.Write("Notice: " + OneLine(notice) + "\n");
        Notify(callbacks_.fileNotice, notice);
    }
    // A recipe's steps set their own AOIs.
    if (settings_.recipe.empty()) {
        const std::string message = SetFileAoi(working, path);
        if (!message.empty()) return message;
    }

    const std::string baseName = BaseName(path);
    const FileFormat format = settings_.outputFormat.value_or(working.fileFacts.format);
    // Every step of a recipe must succeed: a later step would work on an
    // image the recipe did not mean.
    for (const OperationStep& step : settings_.recipe) {
        const std::string message =
            RunOperation(working, path, *step.op, step.params, [&](const OperationParams& params, OperationOutputs& outputs) {
                OperationStep own = step;
                own.params = params;
                return RunStep(working, own, outputs, false);
            });
        if (!message.empty()) return message;
    }
    if (op_) {
        const std::string message =
            RunOperation(working, path, *op_, params_, [&](const OperationParams& params, OperationOutputs& outputs) {
                return op_->run(working, params, outputs) != 0 && op_->checked ? -1 : 0;
            });
        if (!message.empty()) return message;
        // The first file processed: a first file skipped as unreadable does not count.
        if (op_->aoiKept && !firstDone_) {
            settings_.firstImage.SetUpperLeft(working.aoiLeft, working.aoiTop, false);
            settings_.firstImage.SetLowerRight(working.aoiRight, working.aoiBottom, false);
            if (settings_.Overwrites()) settings_.firstImage = working;
        }
        firstDone_ = true;
        // Find Objects leaves the image as it was: its results are the files.
        if (std::string(op_->name) == "Find Objects") return std::string();
    }
    return Write(working, OutputPath(path, OutputName(baseName, settings_.outputFormat)), format);
}

std::string SeriesRun::SetFileAoi(CImage& working, const std::string& path)
{
    const CImage& first = settings_.firstImage;
    const bool sameSize = working.width == first.width && working.height == first.height;
    // A whole first image stands for whole files; one of its size takes the
    // AOI its operation pulled in, as the first file's result did.
    if (wholeFiles_ && !sameSize) {
        working.SetWholeAoi();
        return std::string();
    }
    const AoiBox aoi{first.aoiLeft, first.aoiTop, first.aoiRight, first.aoiBottom};
    if (!AoiMeetsImage(working, aoi))
        return Format("Image Series processing aborted.\nAn error occurred while processing the file\n%s\n\n%s",
                      path.c_str(), AoiOutsideText(working, aoi).c_str());
    SetAoi(working, aoi, false);
    if (!sameSize && StepAoi(working))
        log_.Write(Format("The AOI covers part of %s (%d x %d): (%d, %d) - (%d, %d)\n", path.c_str(), working.width,
                          working.height, working.aoiLeft, working.aoiTop, working.aoiRight, working.aoiBottom));
    return std::string();
}

std::string SeriesRun::RunOperation(CImage& working, const std::string& source, const Operation& op,
                                    OperationParams params, const OperationRunner& run)
{
    const bool objects = std::string(op.name) == "Find Objects";
    const std::string given = params.resultsFile;
    if (objects) {
        params.resultsFile = OwnPath(source, params.resultsFile);
        if (!params.overlayFile.empty()) params.overlayFile = OwnPath(source, params.overlayFile);
    }
    OperationOutputs outputs;
    const AoiBox before{working.aoiLeft, working.aoiTop, working.aoiRight, working.aoiBottom};
    const int width = working.width, height = working.height;
    platform::AnswerRecorder answers;
    if (run(params, outputs) != 0)
        return Format("Image Series processing aborted.\nAn error occurred while processing the file\n%s\n\n%s",
                      source.c_str(), working.errorMessage.c_str());
    // An answer that pulled the AOI in is logged with the AOI it left.
    const AoiBox after{working.aoiLeft, working.aoiTop, working.aoiRight, working.aoiBottom};
    if (after != before && width == working.width && height == working.height && !answers.Answers().empty()) {
        log_.Write(Format("The AOI of %s became (%d, %d) - (%d, %d) after the answers:\n", source.c_str(), after[0],
                          after[1], after[2], after[3]));
        for (const platform::GivenAnswer& given : answers.Answers())
            log_.Write(given.question + " -> " + (given.yes ? "yes" : "no") + "\n");
    }
    const FileFormat format = settings_.outputFormat.value_or(working.fileFacts.format);
    std::string message = WriteExtras(outputs, source, format);
    if (message.empty() && objects) {
        message = AddToCombined(source, given, params.resultsFile);
        if (message.empty()) log_.Write(Format("Results written to %s\n", params.resultsFile.c_str()));
    }
    return message;
}

std::string SeriesRun::WriteExtras(OperationOutputs& outputs, const std::string& source, FileFormat format) const
{
    const std::string stem = Stem(BaseName(source));
    for (ExtraImage& extra : outputs.extras) {
        // A file named by the operation (an overlay) keeps its name and the format it names.
        const std::string message =
            extra.path.empty() ? Write(extra.image, OutputPath(source, stem + OutputSuffix(extra.suffix, format)), format)
                               : Write(extra.image, extra.path, FormatForPath(extra.path));
        if (!message.empty()) return message;
    }
    return std::string();
}

std::string SeriesRun::OwnPath(const std::string& source, const std::string& path) const
{
    const std::string name = BaseName(path);
    const std::string stem = Stem(name);
    const std::string own = stem.empty() ? name + "_" + Stem(BaseName(source))
                                         : stem + "_" + Stem(BaseName(source)) + name.substr(stem.size());
    return OutputPath(source, own);
}

std::string SeriesRun::AddToCombined(const std::string& source, const std::string& given, const std::string& results)
{
    const std::string path = JoinPath(settings_.outputFolder, CombinedResultsName(given));
    CombinedTable& table = combined_.try_emplace(path, path).first->second;
    if (table.Add(BaseName(source), results)) return std::string();
    return Format("Image Series processing aborted.\nAn error occurred while attempting to write the file\n%s\n"
                  "to disk.\n\nThe file could not be written completely.",
                  path.c_str());
}

std::string SeriesRun::Write(CImage& image, const std::string& path, FileFormat format) const
{
    std::string fileMessage;
    bool causeValid = false;
    int cause = 0;
    const WriteOptions options{format, settings_.jpegQuality};
    if (image.SerializeFile(true, path, false, fileMessage, causeValid, cause, options) == 0) return std::string();
    return Format("Image Series processing aborted.\nAn error occurred while attempting to write the file\n%s\n"
                  "to disk.\n\n%s",
                  path.c_str(), fileMessage.c_str());
}

// Overwrite mode writes beside each source, so a source is replaced by its
// own result even when the files come from different folders.
std::string SeriesRun::OutputPath(const std::string& source, const std::string& name) const
{
    return settings_.Overwrites() ? FolderPrefix(source) + name : JoinPath(settings_.outputFolder, name);
}

}  // namespace

const Operation* FindSeriesOperation(const std::string& name)
{
    const Operation* op = FindOperation(name);
    return op && op->inSeries ? op : nullptr;
}

SeriesResult RunSeries(SeriesSettings& settings, const SeriesCallbacks& callbacks, const SeriesClock& clock,
                       const OperationLookup& lookup)
{
    platform::WaitCursor wait;
    Notify(callbacks.setRunning, true);
    Notify(callbacks.setProgress, 0);
    Notify(callbacks.setStatus, std::string());

    SeriesResult result;
    result.confirmationText = ConfirmationText(settings);
    Notify(callbacks.showText, result.confirmationText);
    result.logPath = JoinPath(settings.outputFolder, LogFileName(clock()));

    const SeriesRun* running = nullptr;  // once files are processed
    // Restore: the page returns to its idle state showing the final text.
    auto restore = [&]() -> SeriesResult {
        if (running) result.combinedTables = running->CombinedPaths();
        Notify(callbacks.showText, result.confirmationText);
        Notify(callbacks.setStatus, std::string());
        Notify(callbacks.setRunning, false);
        return result;
    };

    SeriesLog log;
    if (!log.Open(result.logPath)) {
        result.ending = SeriesEnding::LogNotOpened;
        result.confirmationText += LogNotOpenedText(result.logPath);
        return restore();
    }
    // A run whose record is lost stops, before it changes more files unlogged.
    auto logLost = [&]() -> SeriesResult {
        log.Close();
        result.ending = SeriesEnding::LogNotWritten;
        result.confirmationText += LogNotWrittenText(result.logPath);
        return restore();
    };
    log.Write("\n\n" + std::string(51, '*') + "\n" + result.confirmationText + "\n\n");
    if (log.Failed()) return logLost();

    SeriesRun run(settings, callbacks, lookup, log);
    running = &run;
    const std::string& list = settings.fileList;
    size_t start = 0;
    size_t end = list.find("\r\n");
    for (int index = 0; end != std::string::npos; ++index) {
        const std::string path = list.substr(start, end - start);
        std::string message;
        try {
            message = run.ProcessFile(index, path);
        } catch (const platform::UserAbort&) {
            // The user has seen why; the log stops at this file without a closing line.
            log.Close();
            result.skipped = run.Skipped();
            result.ending = SeriesEnding::Abandoned;
            result.stoppedAt = path;
            return restore();
        }
        if (!message.empty()) {
            log.Write("\n\n" + message + "\n");
            log.Close();
            result.ending = SeriesEnding::Ended;
            result.skipped = run.Skipped();
            result.message = message;
            result.confirmationText += EndedText(message, result.logPath);
            return restore();
        }
        if (log.Failed()) return logLost();
        start = end + 2;
        end = list.find("\r\n", start);
    }
    log.Write("\nImage series processing complete.\n");
    log.Close();
    if (log.Failed()) return logLost();
    result.ending = SeriesEnding::Complete;
    result.skipped = run.Skipped();
    result.confirmationText = CompleteText(result.logPath, settings.inWizard) + SkippedText(result.skipped.size());
    return restore();
}
