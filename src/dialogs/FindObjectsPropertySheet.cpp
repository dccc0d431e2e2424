// The Find Objects wizard: its pages, Help, and the document command.
#include "dialogs/FindObjectsPropertySheet.h"

#include <algorithm>

#include "dialogs/FindObjectsPages.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

namespace {

// Help for each page, by page id.
const char* const kHelp[] = {
    "Find Objects traces every object in the area of interest and measures it.  An object is any group of "
    "touching pixels that differ from the background, which must be uniformly black or white.",
    "Checked metrics become columns of the output file; the centroid is always written.  The outline color is "
    "used to draw the found objects and their numbers in the image.",
    "Enter or browse for the output file, then press Go.  You will be asked to confirm the detected background.  "
    "The results are shown below, and Go may be pressed again after changing the options.",
};

}  // namespace

CFindObjectsPropertySheet::CFindObjectsPropertySheet(CNUVAKDoc* document, QWidget* parent)
    : QWizard(parent),
      metricsPage_(new CFindObjectsMetricsPage(metrics_)),
      outputPage_(new CFindObjectsOutputFilePage(document, metrics_))
{
    setWindowTitle("Find Objects");
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::HaveHelpButton | QWizard::NoBackButtonOnStartPage);
    setPage(kIntro, new CFindObjectsIntroPage);
    setPage(kMetrics, metricsPage_);
    setPage(kOutputFile, outputPage_);
    // Room for the results table without scrolling at once.
    resize(680, 480);
    connect(this, &QWizard::helpRequested, this, &CFindObjectsPropertySheet::OnHelp);
}

void CFindObjectsPropertySheet::OnHelp()
{
    const int page = std::max(0, currentId());
    platform::notice(kHelp[std::min(page, static_cast<int>(kOutputFile))]);
}

void CFindObjectsPropertySheet::OnFindObjects(CNUVAKDoc& document, QWidget* parent)
{
    {
        CFindObjectsPropertySheet sheet(&document, parent);
        sheet.SetObjectColor(document.image.objectColor);
        sheet.exec();
    }
    document.SetModifiedFlag();
    document.UpdateAllViews();
}
