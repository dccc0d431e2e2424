// One series run's work on its files.
#include "series/SeriesRun.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/ConfirmationText.h"
#include "series/SeriesFileRead.h"
#include "image/ImageFormat.h"

using platform::Format;

namespace {

// The reader's text on one line, for the log's line of a skipped file.
std::string OneLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

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
    const std::string name = CombinedResultsName(given);
    const std::string path = JoinPath(settings_.outputFolder, name);
    added_.push_back({name, results});
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

