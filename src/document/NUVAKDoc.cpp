// The document: file open and save, the command pipeline, Attributes, Undo
// and Clear Objects.
#include "document/NUVAKDoc.h"

#include <memory>
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

void CNUVAKDoc::SetModifiedFlag(bool modified)
{
    if (modified == modified_) return;
    modified_ = modified;
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
        // The snapshot is of the image before the dialog (Histogram changes
        // it while open), and only a dialog ended with OK keeps it.
        std::unique_ptr<CBackupNode> before(backupList.GetNewNode(image));
        if (dialog && !dialog()) return false;
        backupList.AddToBack(before.release());
        history_.ForgetUndone();
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

bool CNUVAKDoc::ApplySteps(const std::vector<OperationStep>& steps, const Extras& extras,
                           const std::function<void(const OperationStep&)>& done)
{
    for (const OperationStep& step : steps) {
        OperationOutputs outputs;
        const auto run = [&](CImage& target) { return RunStep(target, step, outputs, true); };
        if (!RunPipeline(run, true, true, nullptr, [&step] { return HistoryEntry{{step}, {}, true}; }))
            return false;
        if (!outputs.extras.empty()) extras(outputs.extras);
        if (done) done(step);
    }
    return true;
}

void CNUVAKDoc::RecordEntry(HistoryEntry entry)
{
    // A change recorded without a snapshot of its own (Find Objects) is still
    // a new change: the steps undone cannot come back after it.
    backupList.ForgetRedo();
    entry.snapshot = backupList.UndoSerial();
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

void CNUVAKDoc::SnapshotForUndo()
{
    backupList.AddToBack(image);
    history_.ForgetUndone();
}

void CNUVAKDoc::OnEditUndo()
{
    const unsigned long serial = backupList.UndoSerial();
    try {
        if (backupList.RestoreFromBack(image) != 0)
            platform::error("Undo fails.");
        else
            history_.UndoSince(serial);
    } catch (const platform::UserAbort&) {
        return;
    }
    SetModifiedFlag();
    UpdateAllViews();
}

void CNUVAKDoc::OnEditRedo()
{
    const unsigned long serial = backupList.RedoSerial();
    try {
        if (backupList.RestoreFromRedo(image) != 0) return;
    } catch (const platform::UserAbort&) {
        return;
    }
    history_.RedoUpTo(serial);
    SetModifiedFlag();
    UpdateAllViews();
}

bool CNUVAKDoc::CanGoToEntry(std::optional<std::size_t> entry) const
{
    const std::vector<HistoryEntry>& entries = history_.Entries();
    if (!entry) return !backupList.HasDropped();
    return *entry < entries.size() && entries[*entry].snapshot >= backupList.DroppedSerial();
}

void CNUVAKDoc::GoToEntry(std::optional<std::size_t> entry)
{
    if (!CanGoToEntry(entry)) return;
    // Back over every undo step taken after the entry, or forward until it is applied.
    const unsigned long kept = entry ? history_.Entries()[*entry].snapshot : 0;
    const std::size_t wanted = entry ? *entry + 1 : 0;
    bool moved = false;
    try {
        while (CanUndo() && backupList.UndoSerial() > kept && history_.Applied() >= wanted) {
            const unsigned long serial = backupList.UndoSerial();
            if (backupList.RestoreFromBack(image) != 0) break;
            history_.UndoSince(serial);
            moved = true;
        }
        while (backupList.CanRedo() && history_.Applied() < wanted) {
            const unsigned long serial = backupList.RedoSerial();
            if (backupList.RestoreFromRedo(image) != 0) break;
            history_.RedoUpTo(serial);
            moved = true;
        }
    } catch (const platform::UserAbort&) {
        // Shown already; the image is at the last step reached.
    }
    if (!moved) return;
    SetModifiedFlag();
    UpdateAllViews();
}

void CNUVAKDoc::OnClearObjects()
{
    backupList.ForgetRedo();
    history_.ForgetUndone();
    image.objects.clear();
    SetModifiedFlag();
    UpdateAllViews();
}
