// CNUVAKApp: start-up, the single document template (documents titled
// Image1, Image2, ...), and the commands not tied to one image: New, Open,
// Extract RGB, Comb, the image calculations and About.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "app/RecentFileList.h"
#include "image/Calibration.h"

class CChildFrame;
class CMainFrame;
class CSeriesPropSheet;
class CImage;
class CNUVAKDoc;

class CNUVAKApp : public QObject {
    Q_OBJECT
public:
    CNUVAKApp();
    ~CNUVAKApp() override;

    // arguments as from the command line (program name first); a file path
    // opens that file instead of a new image. False when start-up failed.
    bool InitInstance(const QStringList& arguments, bool showSplash);
    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CRecentFileList& RecentFiles() { return recentFiles_; }
    // The pixel size images opened later take when their file gives none;
    // an uncalibrated one stops that.
    void SetLaterCalibration(const CCalibration& calibration) { laterCalibration_ = calibration; }

    void OnCommand(int id);
    CChildFrame* OnFileNew();
    void OnFileOpen();
    // Activates the window of an open document of that path, or opens the
    // file; null when it could not be read.
    CChildFrame* OpenDocumentFile(const QString& path);
    void OpenDocumentFiles(const QStringList& paths);
    void OnExtractRgb();
    void OnComb();
    void OnAppAbout();
    // The series wizard, opened again as it was left: files, output folder,
    // operation, AOI and parameters stay for the next run.
    void OnSeries();
    // Add, Subtract, Absolute Difference, Multiply, Divide (0..4) of two
    // open images of one size and format into a new document.
    void PerformImageCalculations(int operation);

    // A new document in its own window, titled title, or by the template
    // when title is empty.
    CChildFrame* CreateNewDocument(const std::string& title = std::string());
    // An image a recipe step made beside its result on source, as a new
    // document titled as Extract RGB and Comb title theirs: "_red.bmp" gives
    // " - RED" after source's title.
    void AddStepImage(const CImage& image, const std::string& suffix, const std::string& source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CChildFrame* AddWindow(std::unique_ptr<CNUVAKDoc> document);
    // Puts each image into a new document titled with the source's title
    // and the suffix, in order.
    void AddDerivedDocuments(const std::string& source, std::vector<std::pair<const CImage*, const char*>> images);

    std::unique_ptr<CMainFrame> mainFrame_;
    CRecentFileList recentFiles_;
    int untitledCount_ = 0;
    CCalibration laterCalibration_;
    QPointer<CSeriesPropSheet> seriesWizard_;  // a child of the main frame
};
