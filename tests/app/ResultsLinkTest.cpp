// A Results tab linked to its image: selected rows outlined in the view,
// which scrolls to the first; clicks on objects selecting rows; a series
// row opening its image.
#include <QScrollBar>
#include <memory>

#include "Workbench.h"
#include "app/ResultsLink.h"
#include "app/ResultsTab.h"
#include "support/TestImages.h"

namespace {

// A ring (rows 0) with a dot in its hole (row 1) near the origin and a
// rectangle (row 2) far down on the right, on black.
CImage Specimen()
{
    return MakeGrey(1200, 900, [](int x, int y) {
        const bool ring = x >= 20 && x <= 40 && y >= 20 && y <= 40 && !(x > 21 && x < 39 && y > 21 && y < 39);
        const bool dot = x >= 28 && x <= 32 && y >= 28 && y <= 32;
        const bool far = x >= 1100 && x <= 1150 && y >= 820 && y <= 850;
        return ring || dot || far ? 200 : 0;
    });
}

void Click(CNUVAKView& view, QPoint image, bool ctrl)
{
    const QPoint at = image - QPoint(view.horizontalScrollBar()->value(), view.verticalScrollBar()->value());
    const Qt::KeyboardModifiers held = ctrl ? Qt::ControlModifier : Qt::NoModifier;
    QMouseEvent press(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, held);
    QApplication::sendEvent(view.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, held);
    QApplication::sendEvent(view.viewport(), &release);
}

std::unique_ptr<CResultsTab> OpenTab(const std::string& path, const std::string& imageTitle)
{
    std::string error;
    CResultsTable table = CResultsTable::Read(path, &error);
    table.SetImageTitle(imageTitle);
    return std::make_unique<CResultsTab>(std::move(table));
}

}  // namespace

class TestResultsLink : public QObject {
    Q_OBJECT
private slots:
    void selectionAndClicksGoBothWays()
    {
        Workbench w;
        TempDir dir;
        const std::string results = dir.path("specimen.dat");
        w.doc().image = Specimen();
        QCOMPARE(w.doc().image.CentroidDetermination(results, METRIC_ALL, 0), 0);
        w.doc().UpdateAllViews();
        CNUVAKView& view = w.view();
        const auto opener = [&w](const QString& path) { return w.app.OpenDocumentFile(path); };

        auto tab = OpenTab(results, w.doc().GetTitle());
        auto* link = new CResultsLink(*tab, w.frame(), opener);  // the tab's child
        QCOMPARE(link->LinkedWindow(), w.child());

        // The far object is outlined by its traced boundary and scrolled into sight.
        tab->SelectIds({2}, false);
        std::vector<CObjectOutline> shown = view.Highlighted();
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].id, 2);
        QVERIFY(shown[0].boundary == w.doc().image.objects[2].boundaryPoints);
        const QRect sight(QPoint(view.horizontalScrollBar()->value(), view.verticalScrollBar()->value()),
                          view.viewport()->size());
        QVERIFY(view.horizontalScrollBar()->value() > 0);
        QVERIFY(sight.contains(QRect(QPoint(1100, 820), QPoint(1150, 850))));

        // Clicks select the innermost object's row; Ctrl adds; a miss changes nothing.
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
        const struct {
            QPoint at;
            bool ctrl;
            std::set<int> selected;
        } clicks[] = {
            {{30, 30}, false, {1}},    // the dot
            {{24, 24}, true, {0, 1}},  // the ring's hole: the ring
            {{20, 33}, false, {0}},    // the ring's edge
            {{10, 10}, false, {0}},    // the background
        };
        for (const auto& c : clicks) {
            Click(view, c.at, c.ctrl);
            QCOMPARE(tab->Table().SelectedIds(), c.selected);
        }
        QCOMPARE(view.Highlighted().size(), std::size_t(1));

        // Without the objects in the image, the bounding box written stands for the object.
        w.doc().OnClearObjects();
        auto boxes = OpenTab(results, w.doc().GetTitle());
        new CResultsLink(*boxes, w.frame(), opener);
        tab.reset();  // its outline goes with it
        boxes->SelectIds({2}, false);
        shown = view.Highlighted();
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(shown[0].boundary.empty());
        QCOMPARE(QRect(QPoint(shown[0].left, shown[0].top), QPoint(shown[0].right, shown[0].bottom)),
                 QRect(QPoint(1100, 820), QPoint(1150, 850)));
        Click(view, {1120, 830}, false);
        QCOMPARE(boxes->Table().SelectedIds(), std::set<int>{2});
        boxes.reset();
        QVERIFY(view.Highlighted().empty());
    }

    // A series' combined table opens a row's image beside it on a double-click.
    void seriesRowOpensItsImage()
    {
        Workbench w;
        TempDir dir;
        WriteBitmap(dir, "cells.bmp", Specimen());
        const std::string table = dir.path("objects_all.csv");
        {
            std::FILE* file = std::fopen(table.c_str(), "wb");
            std::fputs("image,#id,x,y,left,top,right,bottom\r\ncells.bmp,1,1125.0,835.0,1100,820,1150,850\r\n", file);
            std::fclose(file);
        }
        auto tab = OpenTab(table, std::string());
        auto* link = new CResultsLink(*tab, w.frame(), [&w](const QString& path) { return w.app.OpenDocumentFile(path); });
        QCOMPARE(link->LinkedWindow("cells.bmp"), nullptr);
        tab->SelectIds({0}, false);
        emit tab->rowActivated(0);
        QVERIFY(link->LinkedWindow("cells.bmp") != nullptr);
        QCOMPARE(link->LinkedWindow("cells.bmp"), w.child());
        QCOMPARE(w.view().Highlighted().size(), std::size_t(1));
        QVERIFY(w.user.notices.empty());
    }
};

NUVAK_GUI_TEST(TestResultsLink)
#include "ResultsLinkTest.moc"
