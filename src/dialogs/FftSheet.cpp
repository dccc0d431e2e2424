// The frequency wizard: pages, buttons, help and the document command.
#include "dialogs/FftSheet.h"

#include <QLayout>
#include <QScreen>
#include <QTextBrowser>
#include <memory>

#include "dialogs/FitScrollArea.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/FftAoiDlg.h"
#include "dialogs/FftProcessingDlg.h"
#include "dialogs/FftWindowDlg.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

CFftSheet::CFftSheet(const CImage& image, QWidget* parent)
    : QWizard(parent),
      model_(image),
      aoiPage_(new CFftAoiDlg(*this)),
      windowPage_(new CFftWindowDlg(*this)),
      processingPage_(new CFftProcessingDlg(*this))
{
    setWindowTitle(kFftSheetCaption);
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::HaveHelpButton);
    setOption(QWizard::NoBackButtonOnStartPage);
    setPage(kAoiPage, aoiPage_);
    setPage(kWindowPage, windowPage_);
    setPage(kProcessingPage, processingPage_);
    // One size for every page, large enough for the largest: the pictures
    // have fixed boxes, and a page squeezed below its layout's hint would
    // draw its picture under the controls.
    QSize room;
    for (QWizardPage* page : {static_cast<QWizardPage*>(aoiPage_), static_cast<QWizardPage*>(windowPage_),
                              static_cast<QWizardPage*>(processingPage_)})
        room = room.expandedTo(page->sizeHint()).expandedTo(page->minimumSizeHint());
    // Never more than the screen leaves beside the wizard's buttons: the pages scroll instead.
    room = room.boundedTo(screen()->availableGeometry().size() - kWizardReserve);
    for (QWizardPage* page : {static_cast<QWizardPage*>(aoiPage_), static_cast<QWizardPage*>(windowPage_),
                              static_cast<QWizardPage*>(processingPage_)})
        page->setMinimumSize(room);
    connect(this, &QWizard::currentIdChanged, this, &CFftSheet::OnPageChanged);
    connect(this, &QWizard::helpRequested, this, &CFftSheet::OnHelp);
    CHelpWindow::AddF1(this, "frequency");
}

int CFftSheet::exec()
{
    {
        platform::WaitCursor wait;
        if (!aoiPage_->OnInitDialog()) return QDialog::Rejected;
    }
    return QWizard::exec();
}

void CFftSheet::Cancel() { reject(); }

void CFftSheet::showEvent(QShowEvent* event)
{
    QWizard::showEvent(event);
    // The wizard does not widen itself for its pages' minimum width; a
    // narrower window would cut the controls beside the picture.
    const QWizardPage* page = currentPage();
    if (page == nullptr) return;
    const int margin = page->mapTo(this, QPoint(0, 0)).x();
    const QSize room(page->minimumWidth() + 2 * margin, height());
    // As large as the pages want, where the screen has the room (not the two thirds a window gets by default).
    const QSize screenRoom = screen()->availableGeometry().size() - QSize(0, kWizardReserve.height() / 4);
    setMinimumSize(minimumSize().expandedTo(room).boundedTo(screenRoom));
    resize(sizeHint().expandedTo(size()).expandedTo(room).boundedTo(screenRoom));
}

bool CFftSheet::validateCurrentPage()
{
    // Leaving page 2 transforms the AOI, which takes a while on large images.
    platform::WaitCursor wait;
    return QWizard::validateCurrentPage();
}

void CFftSheet::OnPageChanged(int id)
{
    platform::WaitCursor wait;
    using B = QWizard::WizardButton;
    switch (id) {
    case kAoiPage:
        setWindowTitle(kFftAoiTitle);
        setButtonLayout({B::HelpButton, B::Stretch, B::NextButton, B::CancelButton});
        break;
    case kWindowPage:
        setWindowTitle(kFftWindowTitle);
        setButtonLayout({B::HelpButton, B::Stretch, B::BackButton, B::NextButton, B::CancelButton});
        windowPage_->OnSetActive();
        break;
    case kProcessingPage:
        setWindowTitle(kFftProcessingTitle);
        setButtonLayout({B::HelpButton, B::Stretch, B::BackButton, B::FinishButton, B::CancelButton});
        processingPage_->OnSetActive();
        break;
    default: break;
    }
}

void CFftSheet::OnHelp()
{
    CHelpWindow::ShowSection(this, "frequency");
}

void CFftSheet::OnFrequencyDomain(CNUVAKDoc& document, QWidget* parent)
{
    std::unique_ptr<CFftSheet> sheet;
    const auto wizard = [&] {
        {
            platform::WaitCursor wait;
            sheet = std::make_unique<CFftSheet>(document.image, parent);
        }
        return sheet->exec() == QDialog::Accepted;
    };
    document.RunPipeline(
        [&sheet](CImage& image) {
            sheet->Model().PutResult(image);
            return 0;
        },
        true, false, wizard,
        [&sheet] {
            HistoryEntry entry{sheet->Model().ResultSteps(), {}, true};
            if (entry.steps.empty()) entry.unreplayable = "Frequency Domain";
            return entry;
        });
}
