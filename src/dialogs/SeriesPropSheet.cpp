// The series wizard's frame: pages, buttons and the page order.
#include "dialogs/SeriesPropSheet.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "dialogs/FitScrollArea.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/SelectFilesPage.h"
#include "forms/ImageFileFilters.h"
#include "dialogs/SeriesAoiPage.h"
#include "dialogs/SeriesConfirmPage.h"
#include "dialogs/SeriesFilterParamsPage.h"
#include "dialogs/SeriesMorphParamsPage.h"
#include "dialogs/SeriesObjectParams.h"
#include "dialogs/SeriesOperationDlg.h"
#include "dialogs/SeriesProcessParams.h"
#include "dialogs/SeriesTransformPage.h"

namespace {

SeriesChoosers CommonDialogs()
{
    SeriesChoosers c;
    c.files = [](QWidget* parent) {
        return QFileDialog::getOpenFileNames(parent, "Select files for processing", QString(),
                                             QString::fromStdString(OpenImageFilters()));
    };
    c.folder = [](QWidget* parent, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, "Select Output Directory", start,
                                                 QFileDialog::ShowDirsOnly);
    };
    c.color = [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    c.dataFile = [](QWidget* parent) {
        QFileDialog dialog(parent, "Save As", QString(), "Data files (*.dat)");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("dat");
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                       : QString();
    };
    c.recipe = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, "Select a recipe", QString(), "Recipes (*.nrcp)");
    };
    return c;
}

}  // namespace

CSeriesPropSheet::CSeriesPropSheet(QWidget* parent)
    : QDialog(parent), choosers(CommonDialogs()), stack_(new QStackedWidget), back_(new QPushButton("< &Back")),
      next_(new QPushButton("&Next >")), finish_(new QPushButton("Finish")), cancel_(new QPushButton("Cancel")),
      help_(new QPushButton("&Help"))
{
    setWindowTitle("Series Processing");
    pages_ = {new CSelectFilesPage(*this),      new CSeriesOperationDlg(*this),  new CSeriesAoiPage(*this),
              new CSeriesMorphParamsPage(*this), new CSeriesFilterParamsPage(*this), new CSeriesTransformPage(*this),
              new CSeriesObjectParams(*this),    new CSeriesProcessParams(*this), new CSeriesConfirmPage(*this)};
    for (CSeriesPage* page : pages_) stack_->addWidget(page);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QHBoxLayout;
    help_->setAutoDefault(false);
    buttons->addWidget(help_);
    buttons->addStretch();
    for (QPushButton* button : {back_, next_, finish_, cancel_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->insertSpacing(4, 8);
    next_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CFitScrollArea(stack_, kWizardReserve));
    layout->addWidget(rule);
    layout->addLayout(buttons);

    connect(back_, &QPushButton::clicked, this, &CSeriesPropSheet::Back);
    connect(next_, &QPushButton::clicked, this, &CSeriesPropSheet::Next);
    connect(finish_, &QPushButton::clicked, this, &CSeriesPropSheet::accept);
    connect(cancel_, &QPushButton::clicked, this, &CSeriesPropSheet::reject);
    connect(help_, &QPushButton::clicked, this, [this] { CHelpWindow::ShowSection(this, "series"); });
    CHelpWindow::AddF1(this, "series");
    Show(SeriesPage::SelectFiles);
}

void CSeriesPropSheet::Next()
{
    if (current_ == SeriesPage::Confirmation || !Page(current_).OnWizardNext()) return;
    Show(SeriesNextPage(current_, settings.operationName));
}

void CSeriesPropSheet::Back()
{
    if (current_ == SeriesPage::SelectFiles || !Page(current_).OnKillActive()) return;
    Show(SeriesBackPage(current_, settings.operationName));
}

void CSeriesPropSheet::Reopen()
{
    settings.abortRequest = false;
    Show(SeriesPage::SelectFiles);
}

void CSeriesPropSheet::Show(SeriesPage page)
{
    current_ = page;
    const bool last = page == SeriesPage::Confirmation;
    back_->setEnabled(page != SeriesPage::SelectFiles);
    next_->setVisible(!last);
    finish_->setVisible(last);
    (last ? finish_ : next_)->setDefault(true);
    setWindowTitle(SeriesPageCaption(page));
    stack_->setCurrentWidget(&Page(page));
    // Each page starts at its top-left, whatever the last one was scrolled to.
    if (auto* area = findChild<CFitScrollArea*>()) area->ensureVisible(0, 0);
    Page(page).OnSetActive();
}

void CSeriesPropSheet::SetRunning(bool running)
{
    running_ = running;
    for (QPushButton* button : {back_, finish_, cancel_}) button->setEnabled(!running);
}

void CSeriesPropSheet::reject()
{
    if (!running_) QDialog::reject();
}
