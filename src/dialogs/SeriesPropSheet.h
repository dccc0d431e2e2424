// CSeriesPropSheet: the series wizard. Nine pages in one window with Back,
// Next, Finish and Cancel; where Next and Back lead depends on the chosen
// operation. It holds the run's settings while it is open.
#pragma once

#include <QColor>
#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "forms/SeriesNavigation.h"
#include "series/SeriesSettings.h"

class CSeriesPage;
class QPushButton;
class QStackedWidget;

// The common dialogs the pages open; tests put their own in.
struct SeriesChoosers {
    std::function<QStringList(QWidget* parent)> files;  // bitmaps, several at once
    std::function<QString(QWidget* parent, const QString& start)> folder;
    std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> color;
    std::function<QString(QWidget* parent)> dataFile;  // a results file to write
    std::function<QString(QWidget* parent)> recipe;    // a recipe file to read
};

class CSeriesPropSheet : public QDialog {
    Q_OBJECT
public:
    explicit CSeriesPropSheet(QWidget* parent = nullptr);

    SeriesSettings settings;
    bool filesChanged = false;  // a new Browse; the AOI page then starts over
    SeriesChoosers choosers;

    SeriesPage CurrentPage() const { return current_; }
    CSeriesPage& Page(SeriesPage page) const { return *pages_[static_cast<size_t>(page)]; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* FinishButton() const { return finish_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

    void Next();
    void Back();
    // Opening again: the first page, with every choice kept.
    void Reopen();
    // A run keeps the user on the page: the wizard's own buttons wait.
    void SetRunning(bool running);
    // Closing is refused while a run goes on.
    void reject() override;

private:
    void Show(SeriesPage page);

    std::array<CSeriesPage*, 9> pages_{};
    QStackedWidget* stack_;
    SeriesPage current_ = SeriesPage::SelectFiles;
    bool running_ = false;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* finish_;
    QPushButton* cancel_;
    QPushButton* help_;
};
