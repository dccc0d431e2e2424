// CSeriesConfirmPage: the series wizard's last page: what the run will do,
// and the run itself with its progress and an Abort button.
#pragma once

#include <functional>
#include <string>

#include "dialogs/SeriesPage.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;

class CSeriesConfirmPage : public CSeriesPage {
    Q_OBJECT
public:
    enum ControlId { kText = 2244, kProcess = 2267, kStatus = 1013, kProgress = 2287, kAbort = 2286 };

    explicit CSeriesConfirmPage(CSeriesPropSheet& sheet);

    void OnSetActive() override;
    void OnProcess();
    void OnAbort();

    const std::string& ConfirmationText() const { return confirmationText_; }
    const std::string& LogPath() const { return logPath_; }
    // Called when a file has been read, before it is processed.
    std::function<void(int index, const std::string& path)> fileReached;
    // Called after a run with each combined table of object results it wrote.
    std::function<void(const std::string& path)> tableWritten;
    // Asked once before a run that would write over files of 16-bit
    // samples: true for Yes (No is the default); replaceable for tests.
    std::function<bool(const QString& question)> askDeepAnyway;

private:
    void SetRunning(bool running);
    void ShowText(const std::string& text);

    std::string confirmationText_;
    std::string logPath_;
    QTextEdit* text_;
    QPushButton* process_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* abort_;
};
