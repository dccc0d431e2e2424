// CNUVAKDoc: one open image with its undo history, its file and title, and
// the command pipeline that changes it. Windows observe it through a callback.
#pragma once

#include <functional>
#include <string>

#include "document/BackupList.h"
#include "image/Image.h"

class CNUVAKDoc {
public:
    // A parameter dialog: true when it ended with OK.
    using Dialog = std::function<bool()>;
    using Step = std::function<int(CImage&)>;

    CImage image;
    CBackupList backupList;

    // Framework state: path, title, modified flag, views.
    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path);  // the title becomes the file name
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    void SetViewsHandler(std::function<void()> handler) { updateViews_ = std::move(handler); }
    void SetTitleHandler(std::function<void()> handler) { titleChanged_ = std::move(handler); }
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

    // Snapshot, dialog, operation, failure text, modified flag and redraw.
    void RunPipeline(const Step& operation, bool wait, bool reportFailure, const Dialog& dialog = nullptr);
    // A dialog-less command of the document command table; false when the id
    // is not one or its operation is not built.
    bool RunCommand(int id);
    // A command of the document or dialog command tables that can run.
    static bool CommandAvailable(int id);

    void OnImageAttributes() const;
    void OnEditUndo();
    bool CanUndo() const { return !backupList.IsEmpty(); }
    void OnClearObjects();

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    std::function<void()> updateViews_;
    std::function<void()> titleChanged_;
};
