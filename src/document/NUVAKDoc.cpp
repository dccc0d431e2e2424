// The document: file open and save, the command pipeline, Attributes, Undo
// and Clear Objects.
#include "document/NUVAKDoc.h"

#include <optional>

#include "document/AttributesText.h"
#include "document/DialogCommands.h"
#include "document/DocumentCommands.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"

void CNUVAKDoc::SetPathName(const std::string& path)
{
    pathName_ = path;
    const size_t slash = path.find_last_of('/');
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
}

void CNUVAKDoc::SetTitle(const std::string& title)
{
    title_ = title;
    if (titleChanged_) titleChanged_();
}

void CNUVAKDoc::UpdateAllViews()
{
    if (updateViews_) updateViews_();
}

bool CNUVAKDoc::OnOpenDocument(const std::string& path)
{
    CImage fresh;
    std::string message;
    bool causeValid = false;
    int cause = 0;
    try {
        if (fresh.SerializeFile(false, path, false, message, causeValid, cause) != 0) {
            platform::error(message);
            return false;
        }
    } catch (const platform::UserAbort&) {
        return false;  // the reader has shown its refusal
    }
    image = std::move(fresh);
    saveOptions = WriteOptions{image.fileFacts.format, saveOptions.jpegQuality};
    backupList.RemoveAll();
    history_.Clear();
    SetPathName(path);
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

bool CNUVAKDoc::OnSaveDocument(const std::string& path, const WriteOptions& options)
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    // The save dialog has already asked about replacing an existing file.
    if (image.SerializeFile(true, path, false, message, causeValid, cause, options) != 0) {
        platform::error(message);
        return false;
    }
    saveOptions = options;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CNUVAKDoc::RunPipeline(const Step& operation, bool wait, bool reportFailure, const Dialog& dialog,
                            const Record& record)
{
    try {
        backupList.AddToBack(image);
        if (dialog && !dialog()) return false;
        const std::optional<AoiBox> aoi = StepAoi(image);
        std::optional<platform::WaitCursor> cursor;
        if (wait) cursor.emplace();
        platform::AnswerRecorder answers;
        const int result = operation(image);
        if (result != 0 && reportFailure) platform::error(image.errorMessage);
        if (result == 0 && record) RecordRun(record(), aoi, answers.Answers());
        SetModifiedFlag();
        UpdateAllViews();
        return result == 0;
    } catch (const platform::UserAbort&) {
        // Already reported; the command ends here.
        return false;
    }
}

bool CNUVAKDoc::ApplySteps(const std::vector<OperationStep>& steps, const Extras& extras)
{
    for (const OperationStep& step : steps) {
        OperationOutputs outputs;
        const auto run = [&](CImage& target) { return RunStep(target, step, outputs, true); };
        if (!RunPipeline(run, true, true, nullptr, [&step] { return HistoryEntry{{step}, {}, true}; }))
            return false;
        if (!outputs.extras.empty()) extras(outputs.extras);
    }
    return true;
}

void CNUVAKDoc::RecordEntry(HistoryEntry entry)
{
    entry.snapshot = backupList.Snapshots();
    history_.Add(std::move(entry));
}

void CNUVAKDoc::RecordRun(HistoryEntry entry, const std::optional<AoiBox>& aoi,
                          const std::vector<platform::GivenAnswer>& answers)
{
    if (entry.steps.empty() && entry.unreplayable.empty()) return;
    for (OperationStep& step : entry.steps) {
        if (!entry.ownAoi) step.aoi = aoi;
        RecordAnswers(step, answers);
    }
    RecordEntry(std::move(entry));
}

bool CNUVAKDoc::CommandAvailable(int id)
{
    if (FindDialogCommand(id) != nullptr) return true;
    const DocumentCommand* command = FindDocumentCommand(id);
    return command != nullptr && CommandOperation(*command) != nullptr;
}

bool CNUVAKDoc::RunCommand(int id)
{
    const DocumentCommand* command = FindDocumentCommand(id);
    const Operation* operation = command ? CommandOperation(*command) : nullptr;
    if (operation == nullptr) return false;
    RunPipeline(
        [operation](CImage& target) {
            OperationParams params;
            OperationOutputs outputs;
            return operation->run(target, params, outputs);
        },
        command->wait, command->reportFailure, nullptr,
        [operation] { return HistoryEntry{{OperationStep{operation, OperationParams{}, {}, {}}}, {}}; });
    return true;
}

void CNUVAKDoc::OnImageAttributes() const { platform::notice(AttributesText(pathName_, image)); }

void CNUVAKDoc::OnEditUndo()
{
    bool restored = false;
    try {
        CImage current = image;
        if (backupList.RestoreFromBack(image) != 0) {
            platform::error("Undo fails.");
            // Assignment would drop the found objects; the restored image keeps them.
            current.objects = std::move(image.objects);
            image = std::move(current);
        } else {
            restored = true;
        }
    } catch (const platform::UserAbort&) {
        return;
    }
    if (restored) {
        history_.RemoveSince(backupList.Snapshots());
    }
    SetModifiedFlag();
    UpdateAllViews();
}

void CNUVAKDoc::OnClearObjects()
{
    image.objects.clear();
    SetModifiedFlag();
    UpdateAllViews();
}
