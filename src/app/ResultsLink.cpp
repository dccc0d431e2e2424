// A Results tab's link to its images and its plot window.
#include "app/ResultsLink.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <set>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/NUVAKView.h"
#include "app/ResultsDock.h"
#include "app/ResultsPlotWindow.h"
#include "app/ResultsTab.h"
#include "dialogs/FileChooser.h"
#include "document/NUVAKDoc.h"

namespace {

QString Stem(const std::string& path) { return QFileInfo(QString::fromStdString(path)).completeBaseName(); }

}  // namespace

CResultsLink::CResultsLink(CResultsTab& tab, CMainFrame& frame, ImageOpener openImage)
    : QObject(&tab), tab_(tab), frame_(frame), openImage_(std::move(openImage))
{
    askImagePath = [this](const QString& name, const QString& folder) {
        return ChooseFile(frame_.window(), FileChoice{QString("%1 (%1);;All files (*)").arg(name), QString(), false,
                                                      QString("Open %1").arg(name), QDir(folder).filePath(name)});
    };
    connect(&tab, &CResultsTab::selectionChanged, this, &CResultsLink::ShowSelection);
    connect(&tab, &CResultsTab::rowActivated, this, &CResultsLink::OnRowActivated);
    connect(&tab, &CResultsTab::plotRequested, this, &CResultsLink::OnPlotRequested);
    connect(&tab, &CResultsTab::modifiedChanged, this, [this] {
        LinkAll();
        ShowSelection();
    });
    LinkAll();
}

void CResultsLink::LinkAll()
{
    for (auto& [key, image] : images_)
        if (image.window) image.window->GetView()->SetHighlight(this, {});
    images_.clear();
    // The images open already: a click on an object selects its row at once.
    std::set<std::string> keys;
    for (int row = 0; row < tab_.Table().RowCount(); ++row) keys.insert(KeyOf(row));
    for (const std::string& key : keys) Linked(key);
}

CResultsLink::~CResultsLink()
{
    for (auto& [key, image] : images_)
        if (image.window) image.window->GetView()->SetHighlight(this, {});
}

void CResultsLink::Attach(CResultsDock& dock, CMainFrame& frame, ImageOpener openImage)
{
    QObject::connect(&dock, &CResultsDock::tabOpened, &dock,
                     [&frame, openImage](CResultsTab* tab) { new CResultsLink(*tab, frame, openImage); });
}

CChildFrame* CResultsLink::LinkedWindow(const std::string& imageName) const
{
    const auto it = images_.find(imageName);
    return it == images_.end() ? nullptr : it->second.window.data();
}

std::string CResultsLink::KeyOf(int row) const
{
    const CResultsTable& table = tab_.Table();
    return table.IsCombined() ? table.ImageName(row) : std::string();
}

std::vector<int> CResultsLink::RowsOf(const std::string& key) const
{
    std::vector<int> rows;
    for (int row = 0; row < tab_.Table().RowCount(); ++row)
        if (KeyOf(row) == key) rows.push_back(row);
    return rows;
}

CResultsLink::Image* CResultsLink::Linked(const std::string& key)
{
    const auto it = images_.find(key);
    if (it != images_.end() && it->second.window) return &it->second;
    CChildFrame* window = FindWindow(key, RowsOf(key));
    if (window == nullptr) return nullptr;
    Link(key, window);
    return &images_[key];
}

CChildFrame* CResultsLink::FindWindow(const std::string& key, const std::vector<int>& rows) const
{
    const CResultsTable& table = tab_.Table();
    const QList<CChildFrame*> windows = frame_.Children();
    // The image that still holds these objects, found by the run that wrote the table.
    for (CChildFrame* window : windows)
        if (ObjectsMatch(table, rows, window->GetDocument().image)) return window;
    for (CChildFrame* window : windows) {
        const CNUVAKDoc& doc = window->GetDocument();
        const QString file = QFileInfo(QString::fromStdString(doc.GetPathName())).fileName();
        if (table.IsCombined()) {
            if (file == QString::fromStdString(key)) return window;
            continue;
        }
        if (!table.ImageTitle().empty() && doc.GetTitle() == table.ImageTitle()) return window;
        // A results file beside its image: cells.dat or a series' objects_cells.dat for cells.png.
        if (doc.GetPathName().empty()) continue;
        const QString results = Stem(table.SourcePath()), image = Stem(doc.GetPathName());
        if (!results.isEmpty() && (results == image || results.endsWith("_" + image))) return window;
    }
    return nullptr;
}

void CResultsLink::Link(const std::string& key, CChildFrame* window)
{
    const CResultsTable& table = tab_.Table();
    const std::vector<int> rows = RowsOf(key);
    const CImage& picture = window->GetDocument().image;
    const CImage* objects = ObjectsMatch(table, rows, picture) ? &picture : nullptr;
    Image& image = images_[key];
    image = Image{};
    image.window = window;
    for (int row : rows) {
        std::optional<CObjectOutline> outline = RowOutline(table, row, objects);
        if (!outline) continue;
        image.byId[outline->id] = image.outlines.size();
        image.outlines.push_back(std::move(*outline));
    }
    connect(window->GetView(), &CNUVAKView::featureClicked, this, &CResultsLink::OnFeatureClicked,
            Qt::UniqueConnection);
}

void CResultsLink::ShowSelection()
{
    const CResultsTable& table = tab_.Table();
    const std::set<int>& selected = table.SelectedIds();
    std::map<std::string, Image*> linked;  // looked up once per image in this pass
    std::map<std::string, std::vector<CObjectOutline>> shown;
    std::optional<std::pair<CNUVAKView*, QRect>> first;
    for (int row = 0; row < table.RowCount() && !selected.empty(); ++row) {
        const int id = table.RowId(row);
        if (selected.count(id) == 0) continue;
        const std::string key = KeyOf(row);
        const auto found = linked.find(key);
        Image* image = found != linked.end() ? found->second : (linked[key] = Linked(key));
        if (image == nullptr) continue;
        const auto at = image->byId.find(id);
        if (at == image->byId.end()) continue;
        const CObjectOutline& o = image->outlines[at->second];
        shown[key].push_back(o);
        if (!first)
            first.emplace(image->window->GetView(), QRect(QPoint(o.left, o.top), QPoint(o.right, o.bottom)));
    }
    for (auto& [key, image] : images_)
        if (image.window) image.window->GetView()->SetHighlight(this, std::move(shown[key]));
    if (first) first->first->ScrollToShow(first->second);
}

void CResultsLink::OnFeatureClicked(QPoint at, bool add)
{
    for (auto& [key, image] : images_) {
        if (image.window == nullptr || image.window->GetView() != sender()) continue;
        const int hit = OutlineAt(image.outlines, at.x(), at.y());
        if (hit >= 0) tab_.SelectIds({image.outlines[hit].id}, add);
        return;
    }
}

void CResultsLink::OnRowActivated(int row)
{
    const std::string key = KeyOf(row);
    Image* image = Linked(key);
    CChildFrame* window = image ? image->window.data() : nullptr;
    const CResultsTable& table = tab_.Table();
    if (window == nullptr && table.IsCombined()) {
        // A series keeps only the file names: the image beside the table, or where the user finds it.
        const QString folder = QFileInfo(QString::fromStdString(table.SourcePath())).absolutePath();
        const QString name = QString::fromStdString(key);
        QString path = QDir(folder).filePath(name);
        if (!QFileInfo::exists(path)) path = askImagePath(name, folder);
        if (path.isEmpty() || (window = openImage_(path)) == nullptr) return;
        Link(key, window);
    }
    if (window == nullptr) return;
    frame_.MdiArea()->setActiveSubWindow(window);
    ShowSelection();
}

void CResultsLink::OnPlotRequested()
{
    if (plot_ == nullptr) plot_ = new CResultsPlotWindow(tab_);
    plot_->show();
    plot_->raise();
    plot_->activateWindow();
}

CResultsPlotWindow* CResultsLink::PlotWindow() const { return plot_.data(); }
