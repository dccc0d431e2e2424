// The Find Objects wizard: its pages, Help, and the document command.
#include "dialogs/FindObjectsPropertySheet.h"

#include <QScreen>
#include <algorithm>

#include "dialogs/FindObjectsPages.h"
#include "dialogs/HelpWindow.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

CFindObjectsPropertySheet::CFindObjectsPropertySheet(CNUVAKDoc* document, QWidget* parent)
    : QWizard(parent),
      metricsPage_(new CFindObjectsMetricsPage(metrics_)),
      outputPage_(new CFindObjectsOutputFilePage(document, metrics_))
{
    setWindowTitle("Find Objects");
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::HaveHelpButton | QWizard::NoBackButtonOnStartPage);
    // Area limits are in the image's unit squared when it is calibrated.
    const CCalibration calibration = document ? document->image.calibration : CCalibration{};
    setPage(kIntro, new CFindObjectsIntroPage(metrics_, AreaUnit(calibration)));
    setPage(kMetrics, metricsPage_);
    setPage(kOutputFile, outputPage_);
    // Room for the results table without scrolling at once, where the screen has it.
    resize(QSize(680, 480).boundedTo(screen()->availableGeometry().size() - QSize(16, 48)));
    connect(this, &QWizard::helpRequested, this, &CFindObjectsPropertySheet::OnHelp);
    CHelpWindow::AddF1(this, "objects");
}

void CFindObjectsPropertySheet::OnHelp()
{
    CHelpWindow::ShowSection(this, "objects");
}

void CFindObjectsPropertySheet::OnFindObjects(CNUVAKDoc& document, QWidget* parent,
                                              const std::function<void(const std::string& path)>& resultsWritten)
{
    bool searched = false;
    {
        CFindObjectsPropertySheet sheet(&document, parent);
        sheet.SetObjectColor(document.image.objectColor);
        sheet.OutputFilePage()->resultsWritten = resultsWritten;
        sheet.exec();
        searched = sheet.OutputFilePage()->Searched();
    }
    // A wizard left without Go has changed nothing to save.
    if (searched) document.SetModifiedFlag();
    document.UpdateAllViews();
}
