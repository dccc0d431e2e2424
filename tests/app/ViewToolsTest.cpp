// The view tools with synthetic mouse events: tool commands and cursors,
// the measure tool's zoom rule, AOI dragging, measuring and Select All.
#include <QBitmap>

#include "MouseEvents.h"
#include "Workbench.h"
#include "dialogs/ProfileDlg.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

QVector<int> Aoi(const CImage& image) { return {image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}; }

struct Measured {
    QString info;
    QString statistics;
    int samples = -1;
};

// Presses at from, drags to to and releases there; returns what the profile dialog showed.
Measured Measure(Workbench& w, QPoint from, QPoint to)
{
    Measured seen;
    WhenModal<CProfileDlg>([&seen](CProfileDlg& dialog) {
        seen.info = dialog.MeasurementInfo();
        seen.statistics = dialog.Statistics();
        seen.samples = static_cast<int>(dialog.Model().Samples().size());
        dialog.accept();
    });
    QWidget* port = w.view().viewport();
    PressLeft(port, from);
    DragTo(port, to);
    ReleaseLeft(port, to);
    return seen;
}

}  // namespace

class TestViewTools : public QObject {
    Q_OBJECT
private slots:
    void toolCommandsCheckTheirToolAndSetTheCursor()
    {
        Workbench w;
        QCOMPARE(w.frame().CurrentTool(), 0);
        const struct {
            int id;
            int tool;
            QPoint hotSpot;
        } cases[] = {
            {cmd::SelectAoi, 1, {5, 6}},
            {cmd::Measure, 2, {5, 6}},
            {cmd::SelectFeature, 0, {10, 5}},
        };
        for (const auto& c : cases) {
            QVERIFY(w.frame().OnCommand(c.id));
            QCOMPARE(w.frame().CurrentTool(), c.tool);
            for (int id : {cmd::SelectFeature, cmd::SelectAoi, cmd::Measure})
                QCOMPARE(w.frame().Action(id)->isChecked(), id == c.id);
            const QCursor cursor = w.view().viewport()->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), c.hotSpot);
            QCOMPARE(cursor.bitmap().size(), QSize(32, 32));
        }
        for (int invalid : {-1, 3}) {
            w.view().ChangeTools(invalid);
            QCOMPARE(w.frame().CurrentTool(), 0);
        }
        QCOMPARE(w.user.errors,
                 (std::vector<std::string>(2, "CNUVAKView::ChangeTools()\n\nError:  invalid tool type.")));
    }

    // Each cursor is drawn so its hot spot shows the pixel under it: the
    // arrow's tip is black, the cross-hair's centre is left open.
    void cursorsHaveTheirHotSpotsWhereDrawn()
    {
        Workbench w;
        for (int id : {cmd::SelectFeature, cmd::SelectAoi, cmd::Measure}) {
            w.frame().OnCommand(id);
            const QCursor cursor = w.view().viewport()->cursor();
            const QImage bits = cursor.bitmap().toImage();
            const QImage mask = cursor.mask().toImage();
            const QPoint hot = cursor.hotSpot();
            const bool arrow = id == cmd::SelectFeature;
            const int blank = bits.pixelIndex(0, 0), hidden = mask.pixelIndex(0, 0);
            // The arrow's tip, or the cross-hair's arm beside its open centre.
            const QPoint stroke = arrow ? hot : hot + QPoint(2, 0);
            QVERIFY(bits.pixelIndex(stroke) != blank);
            QVERIFY(mask.pixelIndex(stroke) != hidden);
            QCOMPARE(mask.pixelIndex(hot) == hidden, !arrow);
        }
    }

    void zoomAwayFromOneLeavesTheMeasureTool()
    {
        Workbench w;
        QVERIFY(w.frame().OnCommand(cmd::Measure));
        QVERIFY(w.frame().OnCommand(cmd::ZoomIn));
        QCOMPARE(w.frame().CurrentTool(), 0);
        QVERIFY(w.frame().Action(cmd::SelectFeature)->isChecked());
        QVERIFY(!w.frame().Action(cmd::Measure)->isEnabled());
        QVERIFY(!w.frame().OnCommand(cmd::Measure));
        QVERIFY(w.frame().OnCommand(cmd::SelectAoi));
        QVERIFY(w.frame().OnCommand(cmd::Zoom1to1));
        QCOMPARE(w.frame().CurrentTool(), 1);
        QVERIFY(w.frame().Action(cmd::Measure)->isEnabled());
    }

    void dragSetsTheAoi()
    {
        const struct {
            const char* name;
            int zoomIns;
            QPoint press;
            QList<QPoint> moves;
            QVector<int> aoi;  // empty: unchanged
        } cases[] = {
            {"zoom 1", 0, {10, 10}, {{60, 30}, {100, 50}}, {10, 10, 100, 50}},
            {"zoom 2", 1, {10, 10}, {{100, 50}}, {5, 5, 50, 25}},
            {"beyond the right edge", 0, {10, 10}, {{300, 50}}, {10, 10, 159, 50}},
            {"released at the press point", 0, {10, 10}, {{10, 10}}, {}},
            {"moves up and left are ignored", 0, {50, 50}, {{20, 20}, {80, 10}}, {}},
            {"last move right and below counts", 0, {10, 10}, {{40, 40}, {5, 60}}, {10, 10, 40, 40}},
            {"press outside the image", 0, {170, 10}, {{190, 50}}, {}},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, MakeGrey(160, 120, [](int, int) { return 0; }));
            w.doc().image.SetUpperLeft(1, 2, false);
            w.doc().image.SetLowerRight(3, 4, false);
            for (int i = 0; i < c.zoomIns; ++i) w.frame().OnCommand(cmd::ZoomIn);
            w.frame().OnCommand(cmd::SelectAoi);
            QWidget* port = w.view().viewport();
            PressLeft(port, c.press);
            for (const QPoint& p : c.moves) DragTo(port, p);
            ReleaseLeft(port, c.moves.last());
            QVERIFY2(!w.view().IsDragging(), c.name);
            const QVector<int> expected = c.aoi.isEmpty() ? QVector<int>{1, 2, 3, 4} : c.aoi;
            QCOMPARE(Aoi(w.doc().image), expected);
            QVERIFY2(!w.doc().IsModified(), c.name);
            QVERIFY2(!w.doc().CanUndo(), c.name);
        }
    }

    void rubberBandInvertsTheScreen()
    {
        Workbench w;
        Replace(w, MakeGrey(160, 120, [](int, int) { return 0; }));
        w.frame().OnCommand(cmd::SelectAoi);
        QWidget* port = w.view().viewport();
        PressLeft(port, {20, 20});
        DragTo(port, {80, 60});
        QVERIFY(w.view().IsDragging());
        const QImage shot = port->grab().toImage();
        const auto inverted = [](const QImage& shot, int y) {
            int count = 0;
            for (int x = 21; x < 79; ++x) count += shot.pixel(x, y) == qRgb(255, 255, 255);
            return count;
        };
        // A dotted outline inverts part of each edge, nothing inside.
        QVERIFY(inverted(shot, 20) >= 15 && inverted(shot, 20) <= 45);
        QVERIFY(inverted(shot, 59) >= 15);
        QCOMPARE(inverted(shot, 40), 0);
        ReleaseLeft(port, {80, 60});
        // The band is gone; the new AOI is outlined in red instead.
        QCOMPARE(inverted(port->grab().toImage(), 20), 0);
    }

    void measuringReportsDistanceAndAngle()
    {
        const struct {
            QPoint from, to;
            const char* info;
            const char* error;  // nullptr: none
            int samples;
        } cases[] = {
            {{0, 0},
             {3, 4},
             "Point 1 at (0, 0).\nPoint 2 at (3, 4).\nDistance = 5.000 pixels.\nAngle = 306.870\u00B0.",
             nullptr,
             5},
            {{5, 10},
             {5, 2},
             "Point 1 at (5, 10).\nPoint 2 at (5, 2).\nDistance = 8.000 pixels.\nAngle = 90.000\u00B0.",
             nullptr,
             9},
            {{10, 5},
             {2, 5},
             "Point 1 at (10, 5).\nPoint 2 at (2, 5).\nDistance = 8.000 pixels.\nAngle = 180.000\u00B0.",
             nullptr,
             9},
            {{7, 7},
             {7, 7},
             "Point 1 at (7, 7).\nPoint 2 at (7, 7).\nDistance = 0.000 pixels.\nAngle = 0.000\u00B0.",
             "CNUVAKView::CalculateAngle() aborted.\nPoint1 = Point2.\nCannot calculate the angle between a point and "
             "itself.",
             1},
            {{30, 20},
             {500, -40},
             "Point 1 at (30, 20).\nPoint 2 at (79, 0).\nDistance = 52.924 pixels.\nAngle = "
             "22.203\u00B0.",
             nullptr,
             50},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, MakeGrey(80, 60, [](int x, int) { return x; }));
            w.frame().OnCommand(cmd::Measure);
            const Measured seen = Measure(w, c.from, c.to);
            QCOMPARE(seen.info, QString::fromUtf8(c.info));
            QCOMPARE(seen.samples, c.samples);
            QCOMPARE(w.user.errors, c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{});
            QVERIFY(!w.view().IsMeasuring());
            QVERIFY(!w.doc().IsModified());
        }
    }

    void zeroLengthMeasurementHasOneSampleAndNoDeviation()
    {
        Workbench w;
        Replace(w, MakeGrey(20, 20, [](int x, int y) { return x * 10 + y; }));
        w.frame().OnCommand(cmd::Measure);
        const Measured seen = Measure(w, {4, 3}, {4, 3});
        QCOMPARE(seen.samples, 1);
        QCOMPARE(seen.statistics, QString("Mean: 43.0\nStd Dev: 0.0"));
    }

    void measuredLineAndTicksAreDrawn()
    {
        Workbench w;
        Replace(w, MakeGrey(80, 60, [](int, int) { return 0; }));
        w.frame().OnCommand(cmd::Measure);
        Measure(w, {10, 20}, {40, 20});
        QCOMPARE(w.view().MeasurePoint1(), QPoint(10, 20));
        QCOMPARE(w.view().MeasurePoint2(), QPoint(40, 20));
        const QImage shot = w.view().viewport()->grab().toImage();
        const QRgb cyan = qRgb(0, 255, 255);
        QCOMPARE(shot.pixel(25, 20), cyan);
        for (QPoint tick : {QPoint(10, 17), QPoint(10, 23), QPoint(7, 20), QPoint(13, 20), QPoint(40, 17)})
            QCOMPARE(shot.pixel(tick), cyan);
        QCOMPARE(shot.pixel(10, 16), qRgb(0, 0, 0));
        // Another tool hides the line.
        w.frame().OnCommand(cmd::SelectFeature);
        QCOMPARE(w.view().viewport()->grab().toImage().pixel(25, 20), qRgb(0, 0, 0));
    }

    void selectAllTakesASnapshotButDoesNotModify()
    {
        Workbench w;
        Replace(w, MakeGrey(30, 20, [](int, int) { return 1; }));
        w.doc().image.SetUpperLeft(4, 5, false);
        w.doc().image.SetLowerRight(9, 8, false);
        QVERIFY(w.frame().Action(cmd::SelectAll)->isEnabled());
        QVERIFY(w.frame().OnCommand(cmd::SelectAll));
        QCOMPARE(Aoi(w.doc().image), (QVector<int>{0, 0, 29, 19}));
        QVERIFY(!w.doc().IsModified());
        QVERIFY(w.doc().CanUndo());
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QCOMPARE(Aoi(w.doc().image), (QVector<int>{4, 5, 9, 8}));
    }
};

NUVAK_GUI_TEST(TestViewTools)
#include "ViewToolsTest.moc"
