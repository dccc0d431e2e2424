// CNUVAKDoc: one open image with its undo history, its file and title, and
// the command pipeline that changes it. Windows observe it through a callback.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/BackupList.h"
#include "document/History.h"
#include "image/Image.h"
#include "series/Operations.h"

class CNUVAKDoc {
public:
    // A parameter dialog: true when it ended with OK.
    using Dialog = std::function<bool()>;
    using Step = std::function<int(CImage&)>;
    // What a command did, for the history: its steps without AOIs and
    // answers, which the pipeline adds.
    using Record = std::function<HistoryEntry()>;

    CImage image;
    CBackupList backupList;

    // Framework state: path, title, modified flag, views.
    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path);  // the title becomes the file name
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);
    bool IsModified() const { return modified_; }
    // A change of the flag changes the window title too.
    void SetModifiedFlag(bool modified = true);
    void SetViewsHandler(std::function<void()> handler) { updateViews_ = std::move(handler); }
    // Called when the title or the modified flag changes.
    void SetTitleHandler(std::function<void()> handler) { titleChanged_ = std::move(handler); }
    // The title with "*" after it while modified, as windows show it.
    std::string WindowTitle() const { return modified_ ? title_ + "*" : title_; }
    void UpdateAllViews();

    // Reads the image file; false when it was refused (the reader has told the
    // user) or could not be read (the reason is shown here).
    bool OnOpenDocument(const std::string& path);
    // Writes the image as options say (by default in the format of the
    // path's extension), and keeps them for the next Save; false after
    // showing why not.
    bool OnSaveDocument(const std::string& path, const WriteOptions& options = {});
    // How Save writes: the opened file's format, or the last Save As's choice.
    WriteOptions saveOptions;

    // Snapshot, dialog, operation, failure text, history, modified flag and
    // redraw; true when the operation ran and succeeded. A successful run is
    // recorded with the AOI it ran on and the answers given while it ran.
    bool RunPipeline(const Step& operation, bool wait, bool reportFailure, const Dialog& dialog = nullptr,
                     const Record& record = nullptr);
    // Images a step makes beside the result (Extract RGB's planes).
    using Extras = std::function<void(std::vector<ExtraImage>& extras)>;
    // Runs the steps in order, each one pipeline run and one history entry,
    // questions answered by the step or else asked, the extra images of each
    // step handed to extras, and each step to done once it succeeded; stops
    // at the first failure, which has been shown. True when all succeeded.
    bool ApplySteps(const std::vector<OperationStep>& steps, const Extras& extras,
                    const std::function<void(const OperationStep&)>& done = {});
    // Adds a command's entry to the history, after the newest undo step,
    // whose Undo takes it away and Redo brings it back; the steps undone
    // are forgotten.
    void RecordEntry(HistoryEntry entry);
    // Records a run: every step gets the AOI it ran on, unless the entry
    // carries its own, and the first answer given while it ran.
    void RecordRun(HistoryEntry entry, const std::optional<AoiBox>& aoi,
                   const std::vector<platform::GivenAnswer>& answers);
    const CHistory& History() const { return history_; }

    // A dialog-less command of the document command table; false when the id
    // is not one or its operation is not built.
    bool RunCommand(int id);
    // A command of the document or dialog command tables that can run.
    static bool CommandAvailable(int id);

    void OnImageAttributes() const;
    // A change made outside the pipeline (Select All, Paste): a snapshot of
    // the image for Undo; the steps undone are forgotten.
    void SnapshotForUndo();
    void OnEditUndo();
    bool CanUndo() const { return !backupList.IsEmpty(); }
    void OnEditRedo();
    bool CanRedo() const { return backupList.CanRedo(); }
    // The image as it was right after that history entry (before the first
    // one when none), by Undo or Redo; nothing when its undo step has been
    // dropped for memory.
    void GoToEntry(std::optional<std::size_t> entry);
    bool CanGoToEntry(std::optional<std::size_t> entry) const;
    void OnClearObjects();

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    std::function<void()> updateViews_;
    std::function<void()> titleChanged_;
    CHistory history_;
};
