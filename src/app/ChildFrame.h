// CChildFrame: the MDI window of one document; it owns the document and
// hosts its view, and asks to save changes before it closes.
#pragma once

#include <QMdiSubWindow>
#include <memory>

class CMainFrame;
class CNUVAKDoc;
class CNUVAKView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CNUVAKDoc> document, CMainFrame* frame);
    ~CChildFrame() override;

    CNUVAKDoc& GetDocument() const { return *document_; }
    CNUVAKView* GetView() const { return view_; }

    // The save question for a modified document; false when the user
    // cancelled or saving failed.
    bool SaveModified();
    bool DoFileSave();
    bool DoSaveAs();
    // False when path holds 16-bit samples and the user chose not to write
    // 8-bit ones over them.
    bool MayWriteOver(const std::string& path) const;
    // Closes without asking again.
    void CloseDocument();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A window moved away from under the mouse no longer reads it out.
    void moveEvent(QMoveEvent* event) override;

private:
    std::unique_ptr<CNUVAKDoc> document_;
    CMainFrame* frame_;
    CNUVAKView* view_;
    bool closing_ = false;
};
