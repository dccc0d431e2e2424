// Confirmation page: the summary, the run and Abort.
#include "dialogs/SeriesConfirmPage.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogs/DeepSamplesQuestion.h"
#include "dialogs/SeriesPropSheet.h"
#include "image/SampleDepth.h"
#include "series/ConfirmationText.h"
#include "series/SeriesEngine.h"

CSeriesConfirmPage::CSeriesConfirmPage(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::Confirmation), text_(new QTextEdit(this)),
      process_(new QPushButton("Process Series Now", this)), status_(new QLabel(this)),
      progress_(new QProgressBar(this)), abort_(new QPushButton("Abort Series Processing", this))
{
    text_->setReadOnly(true);
    text_->setAcceptRichText(false);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every line of the text as it stands, a recipe's step whole on its own
    // line; a line wider than the page scrolls.
    text_->setLineWrapMode(QTextEdit::NoWrap);
    Register(kText, text_);
    Register(kProcess, process_);
    Register(kStatus, status_);
    Register(kProgress, progress_);
    Register(kAbort, abort_);
    progress_->setRange(0, 100);
    connect(process_, &QPushButton::clicked, this, &CSeriesConfirmPage::OnProcess);
    connect(abort_, &QPushButton::clicked, this, &CSeriesConfirmPage::OnAbort);
    for (QPushButton* button : {process_, abort_}) button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(process_);
    buttons->addStretch();
    buttons->addWidget(abort_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    layout->addWidget(progress_);
}

void CSeriesConfirmPage::OnSetActive()
{
    ShowText(::ConfirmationText(Settings()));
    progress_->setValue(0);
    SetRunning(false);
}

void CSeriesConfirmPage::ShowText(const std::string& text)
{
    confirmationText_ = text;
    text_->setPlainText(QString::fromStdString(text));
}

void CSeriesConfirmPage::SetRunning(bool running)
{
    process_->setEnabled(!running);
    process_->setVisible(!running);
    abort_->setEnabled(running);
    abort_->setVisible(running);
    progress_->setEnabled(running);
    progress_->setVisible(running);
    status_->setVisible(running);
    if (!running) status_->clear();
    Sheet().SetRunning(running);
    if (running) repaint();
}

void CSeriesConfirmPage::OnProcess()
{
    if (const std::string deep = Settings().FirstDeepSourceReplaced(); !deep.empty()) {
        const QString question = QString::fromStdString(DeepSamplesQuestion(deep));
        if (!(askDeepAnyway ? askDeepAnyway(question) : AskWriteOverDeepSamples(this, question))) return;
    }
    SeriesCallbacks callbacks;
    callbacks.setRunning = [this](bool running) { SetRunning(running); };
    callbacks.showText = [this](const std::string& text) { ShowText(text); };
    callbacks.setProgress = [this](int percent) { progress_->setValue(percent); };
    // Painted at once: the next paint would come only with the next file.
    callbacks.setStatus = [this](const std::string& text) {
        status_->setText(QString::fromStdString(text));
        status_->repaint();
    };
    // Lets the pending input and paints through; the wizard's own buttons are
    // disabled meanwhile, so Abort is the one way in.
    callbacks.dispatchMessages = [](int) { QApplication::processEvents(QEventLoop::AllEvents); };
    callbacks.fileReached = [this](int index, const std::string& path) {
        if (fileReached) fileReached(index, path);
    };
    const SeriesResult result = RunSeries(Settings(), callbacks);
    logPath_ = result.logPath;
    if (tableWritten)
        for (const std::string& table : result.combinedTables) tableWritten(table);
    // The end of the text says how the run ended and where the log is.
    text_->moveCursor(QTextCursor::End);
    text_->ensureCursorVisible();
}

void CSeriesConfirmPage::OnAbort() { Settings().abortRequest = true; }
