// CResultsLink: ties a Results tab to the images its rows are of. The
// selected rows' objects are outlined in their image's view, which scrolls
// to the first; a click on an object there with the select-feature tool
// selects its row (Ctrl adds). A combined table's row opens its image on a
// double-click. The tab's Plot... opens its plot window.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/ObjectOutline.h"

class CChildFrame;
class CMainFrame;
class CResultsDock;
class CResultsPlotWindow;
class CResultsTab;

class CResultsLink : public QObject {
    Q_OBJECT
public:
    // Opens an image file (or activates its window); null when it could not be read.
    using ImageOpener = std::function<CChildFrame*(const QString& path)>;

    CResultsLink(CResultsTab& tab, CMainFrame& frame, ImageOpener openImage);
    // The outlines go from the views with the tab.
    ~CResultsLink() override;
    // Links every tab the dock opens from now on.
    static void Attach(CResultsDock& dock, CMainFrame& frame, ImageOpener openImage);

    // The window of the image the rows of that image name are linked to
    // ("" for a results file's single image); null when none is.
    CChildFrame* LinkedWindow(const std::string& imageName = std::string()) const;
    CResultsPlotWindow* PlotWindow() const;
    // Where a combined table's image is when it is neither open nor beside
    // the table; replaceable for tests (empty when cancelled).
    std::function<QString(const QString& name, const QString& folder)> askImagePath;

    // The table's selection outlined in the images, the first in sight.
    void ShowSelection();
    // A double-click: the row's image opened (a combined table) and brought forward.
    void OnRowActivated(int row);
    void OnPlotRequested();

private:
    struct Image {
        QPointer<CChildFrame> window;
        std::vector<CObjectOutline> outlines;
        std::map<int, std::size_t> byId;  // row id -> outline
    };
    // The image name of a row: the combined table's image column, else "".
    std::string KeyOf(int row) const;
    std::vector<int> RowsOf(const std::string& key) const;
    // The linked image of key, linking an open window when there is one.
    Image* Linked(const std::string& key);
    CChildFrame* FindWindow(const std::string& key, const std::vector<int>& rows) const;
    void Link(const std::string& key, CChildFrame* window);
    // Links the images of the table's rows that are open; after rows were
    // deleted or brought back, or the table was read anew, from scratch.
    void LinkAll();
    void OnFeatureClicked(QPoint at, bool add);

    CResultsTab& tab_;
    CMainFrame& frame_;
    ImageOpener openImage_;
    std::map<std::string, Image> images_;
    QPointer<CResultsPlotWindow> plot_;
};
