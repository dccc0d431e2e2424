// CFftSheet: the "Frequency processing" wizard. It picks a power-of-two
// AOI of the document's image, windows it, deletes frequencies of its
// spectrum and, on Finish, hands the result to the document.
#pragma once

#include <QWizard>

#include "dialogs/FftPageHost.h"
#include "forms/FftSheetModel.h"

class CNUVAKDoc;
class CFftAoiDlg;
class CFftWindowDlg;
class CFftProcessingDlg;

class CFftSheet : public QWizard, public CFftPageHost {
    Q_OBJECT
public:
    enum PageId { kAoiPage, kWindowPage, kProcessingPage };

    CFftSheet(const CImage& image, QWidget* parent = nullptr);

    // The document's Frequency domain command: snapshot, the wizard, and on
    // Finish its result as the document's image with the whole AOI.
    static void OnFrequencyDomain(CNUVAKDoc& document, QWidget* parent);

    // Opens the first page; closes as cancelled at once when it cannot draw.
    int exec() override;
    // Closes as cancelled after a failure that has been shown.
    void Cancel() override;

    FftSheetModel& Model() override { return model_; }
    CFftAoiDlg* AoiPage() const { return aoiPage_; }
    CFftWindowDlg* WindowPage() const { return windowPage_; }
    CFftProcessingDlg* ProcessingPage() const { return processingPage_; }

    // Next: the page's checks and the work they start, under the wait cursor.
    bool validateCurrentPage() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Caption and buttons of the page now shown, and its activation.
    void OnPageChanged(int id);
    void OnHelp();

    FftSheetModel model_;
    CFftAoiDlg* aoiPage_;
    CFftWindowDlg* windowPage_;
    CFftProcessingDlg* processingPage_;
};
