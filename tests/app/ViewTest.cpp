// The image view: zoom limits, read-out, the frame fit rule, and what is
// painted (image, AOI outline, found objects).
#include <QMdiArea>
#include <QMouseEvent>
#include <QScrollBar>

#include "Workbench.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

void MoveMouse(CNUVAKView& view, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
}

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

}  // namespace

class TestView : public QObject {
    Q_OBJECT
private slots:
    void zoomStopsAt64AndOneSixtyFourth()
    {
        Workbench w;
        Replace(w, MakeGrey(8, 8, [](int, int) { return 0; }));
        for (int i = 0; i < 6; ++i) QVERIFY(w.frame().OnCommand(cmd::ZoomIn));
        QCOMPARE(w.view().ZoomFactor(), 64.0f);
        QVERIFY(!w.frame().Action(cmd::ZoomIn)->isEnabled());
        QVERIFY(!w.frame().OnCommand(cmd::ZoomIn));
        QCOMPARE(w.view().ZoomFactor(), 64.0f);
        QVERIFY(w.frame().OnCommand(cmd::Zoom1to1));
        QVERIFY(!w.frame().Action(cmd::Zoom1to1)->isEnabled());
        for (int i = 0; i < 6; ++i) QVERIFY(w.frame().OnCommand(cmd::ZoomOut));
        QCOMPARE(w.view().ZoomFactor(), 0.015625f);
        QVERIFY(!w.frame().Action(cmd::ZoomOut)->isEnabled());
        QVERIFY(w.frame().Action(cmd::Zoom1to1)->isEnabled());
    }

    void readOutFollowsTheMouse()
    {
        Workbench w;
        Replace(w, MakeGrey(64, 48, [](int x, int y) { return x == 10 && y == 20 ? 200 : 3; }));
        const struct {
            QPoint at;
            int zoomIns;
            const char* text;
        } cases[] = {
            {{10, 20}, 0, "x = 10, y = 20, luminosity = 200"},
            {{63, 47}, 0, "x = 63, y = 47, luminosity = 3"},
            {{21, 41}, 1, "x = 10, y = 20, luminosity = 200"},
            {{5, 10}, -1, "x = 10, y = 20, luminosity = 200"},
        };
        for (const auto& c : cases) {
            w.frame().OnCommand(cmd::Zoom1to1);
            for (int i = 0; i < c.zoomIns; ++i) w.frame().OnCommand(cmd::ZoomIn);
            for (int i = 0; i > c.zoomIns; --i) w.frame().OnCommand(cmd::ZoomOut);
            MoveMouse(w.view(), c.at);
            QCOMPARE(w.frame().StatusText(), QString(c.text));
        }
        w.frame().OnCommand(cmd::Zoom1to1);
        Replace(w, MakeImage(64, 48, [](int x, int y) { return CColorVal(x, y, 9); }));
        MoveMouse(w.view(), {5, 6});
        QCOMPARE(w.frame().StatusText(), QString("x = 5, y = 6, R = 5 G = 6 B = 9"));
    }

    void readOutAddsTheScrollPosition()
    {
        Workbench w;
        Replace(w, MakeImage(3000, 2000, [](int x, int y) { return CColorVal(x % 256, y % 256, 1); }));
        w.view().horizontalScrollBar()->setValue(1000);
        w.view().verticalScrollBar()->setValue(300);
        QCOMPARE(w.view().ReadOutAt({4, 5}), QString("x = 1004, y = 305, R = 236 G = 49 B = 1"));
    }

    // The image point at the centre of the view stays there through the zoom
    // commands, and the read-out follows the picture under a still mouse.
    void zoomKeepsTheCentreAndTheReadOutFollows()
    {
        Workbench w;
        Replace(w, MakeImage(3000, 2000, [](int x, int y) { return CColorVal(x % 256, y % 256, 1); }));
        w.view().horizontalScrollBar()->setValue(1000);
        w.view().verticalScrollBar()->setValue(300);
        const auto centre = [&] {
            const QScrollBar* h = w.view().horizontalScrollBar();
            const QScrollBar* v = w.view().verticalScrollBar();
            return QPointF((h->value() + h->pageStep() / 2.0) / w.view().ZoomFactor(),
                           (v->value() + v->pageStep() / 2.0) / w.view().ZoomFactor());
        };
        const QPointF start = centre();
        for (int id : {cmd::ZoomIn, cmd::ZoomIn, cmd::ZoomIn, cmd::ZoomOut, cmd::Zoom1to1}) {
            QVERIFY(w.frame().OnCommand(id));
            QVERIFY(std::abs(centre().x() - start.x()) <= 1 && std::abs(centre().y() - start.y()) <= 1);
        }
        const QPoint at(40, 30);
        QCursor::setPos(w.view().viewport()->mapToGlobal(at));
        MoveMouse(w.view(), at);
        const QString before = w.frame().StatusText();
        QVERIFY(w.frame().OnCommand(cmd::ZoomIn));
        QCOMPARE(w.frame().StatusText(), w.view().ReadOutAt(at));
        QVERIFY(w.frame().StatusText() != before);
        w.child()->move(w.child()->pos() + QPoint(w.child()->width(), 0));  // away from the mouse
        QCOMPARE(w.frame().StatusText(), QString("For Help, press F1"));
    }

    void frameFitsSmallImagesAndOnlyShrinksForLargeOnes()
    {
        Workbench w;
        const QSize workspace = w.frame().MdiArea()->viewport()->size();
        // Exactly the image, without scroll bars, also right after a zoom that needed them.
        const struct {
            int w, h, zoomIns;
        } fits[] = {{240, 180, 0}, {200, 150, 0}, {120, 90, 1}, {200, 150, 0}};
        for (const auto& f : fits) {
            w.frame().OnCommand(cmd::Zoom1to1);
            Replace(w, MakeGrey(f.w, f.h, [](int, int) { return 0; }));
            for (int i = 0; i < f.zoomIns; ++i) w.frame().OnCommand(cmd::ZoomIn);
            QCOMPARE(w.view().size(), QSize(f.w << f.zoomIns, f.h << f.zoomIns));
            QTRY_COMPARE(w.view().viewport()->size(), w.view().size());  // the bars go on the next turn
            QVERIFY(w.child()->geometry().right() < workspace.width());
        }
        // Larger than the workspace: the window does not grow.
        const QSize before = w.child()->size();
        Replace(w, MakeGrey(workspace.width() + 100, 100, [](int, int) { return 0; }));
        QCOMPARE(w.child()->width(), before.width());
        QVERIFY(w.child()->height() <= before.height());
        QCOMPARE(w.view().horizontalScrollBar()->maximum() > 0, true);
    }

    // On a small screen a new 640 x 480 image keeps the window's first size
    // instead of the size of the empty image it started with.
    void newImageLargerThanTheWorkspaceKeepsAUsableWindow()
    {
        Workbench w;
        w.frame().showNormal();
        w.frame().resize(500, 400);
        QVERIFY(w.frame().OnCommand(cmd::FileNew));
        QTRY_VERIFY(w.view().viewport()->width() > 100);
        QVERIFY(w.view().viewport()->height() > 100);
        QVERIFY(w.view().horizontalScrollBar()->maximum() > 0);
    }

    void paintsImageOutlineAndObjects()
    {
        Workbench w;
        CImage image = MakeGrey(40, 30, [](int, int) { return 100; });
        image.SetUpperLeft(0, 0, false);
        image.SetLowerRight(39, 29, false);
        CFoundObject object;
        object.boundaryPoints = {{20, 15}};
        object.centroidX = 30;
        object.centroidY = 25;
        image.objectColor = 0x00FF00;  // green
        Replace(w, image);
        w.doc().image.objects = {object};  // a copy of an image leaves its objects behind
        w.child()->resize(w.child()->size() + QSize(40, 40));  // room beyond the image
        const struct {
            int zoomCommand;  // applied after Zoom 1:1, or 0
            float zoom;
            int lastColumn;   // of the outline
        } cases[] = {
            {0, 1.0f, 39},
            {cmd::ZoomIn, 2.0f, 79},  // round the last pixel's block, columns 78 and 79
            {cmd::ZoomOut, 0.5f, 19},  // 39 * 0.5 rounds to 20, beyond the last displayed column 19
        };
        for (const auto& c : cases) {
            w.frame().OnCommand(cmd::Zoom1to1);
            if (c.zoomCommand) w.frame().OnCommand(c.zoomCommand);
            w.child()->resize(w.child()->size() + QSize(40, 40));
            const QImage shot = w.view().viewport()->grab().toImage();
            const auto redCount = [&](int x) {
                int n = 0;
                for (int y = 0; y < shot.height(); ++y) n += shot.pixelColor(x, y) == QColor(255, 0, 0);
                return n;
            };
            const auto at = [&](double v) { return RoundHalfAway(v * c.zoom); };
            QVERIFY(redCount(c.lastColumn) > 0);
            QCOMPARE(redCount(c.lastColumn + 1), 0);
            QCOMPARE(shot.pixelColor(at(10), at(10)), QColor(100, 100, 100));
            QCOMPARE(shot.pixelColor(at(20), at(15)), QColor(0, 255, 0));
            QCOMPARE(shot.pixel(at(40) + 5, 5), w.frame().MdiArea()->background().color().rgb());
        }
    }
};

NUVAK_GUI_TEST(TestView)
#include "ViewTest.moc"
