// The profile dialog's window: samples along lines, statistics, curves and
// check boxes, the read-out and the texts when its window cannot be found.
#include <QCheckBox>

#include "MouseEvents.h"
#include <QClipboard>
#include <QGuiApplication>

#include "Workbench.h"
#include "dialogs/ProfileDlg.h"
#include "forms/Measurement.h"
#include "support/TestImages.h"

namespace {

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

// Where each sample came from, read back from an image whose pixel (x, y) is (x, y, 0).
QList<QPoint> Positions(const CProfileDlg& dialog)
{
    QList<QPoint> at;
    for (const CColorVal& v : dialog.Model().Samples()) at << QPoint(v.red, v.green);
    return at;
}

QString Text(ImagePoint p1, ImagePoint p2)
{
    const double angle = CalculateAngle(p1.x, p1.y, p2.x, p2.y);
    return QString::fromStdString(MeasurementText(p1, p2, MeasureDistance(p1, p2), angle));
}

}  // namespace

class TestProfileDlg : public QObject {
    Q_OBJECT
private slots:
    void samplesAlongTheLine()
    {
        const struct {
            const char* name;
            ImagePoint p1, p2;
            QList<QPoint> samples;
        } cases[] = {
            {"left to right", {10, 5}, {14, 5}, {{10, 5}, {11, 5}, {12, 5}, {13, 5}, {14, 5}}},
            {"right to left", {14, 5}, {10, 5}, {{14, 5}, {13, 5}, {12, 5}, {11, 5}, {10, 5}}},
            {"45 degrees is shallow", {0, 4}, {4, 0}, {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}}},
            // 46.4 degrees: steep, one sample per row.
            {"46 degrees is steep", {0, 20}, {19, 0}, {}},
        };
        Workbench w;
        Replace(w, MakeImage(40, 30, [](int x, int y) { return CColorVal(x, y, 0); }));
        for (const auto& c : cases) {
            const double angle = CalculateAngle(c.p1.x, c.p1.y, c.p2.x, c.p2.y);
            CProfileDlg dialog(&w.frame(), c.p1, c.p2, angle, "m");
            QVERIFY(dialog.OnInitDialog());
            const QList<QPoint> at = Positions(dialog);
            if (!c.samples.isEmpty()) {
                QCOMPARE(at, c.samples);
                continue;
            }
            QCOMPARE(at.size(), 21);
            for (int i = 0; i < at.size(); ++i) QCOMPARE(at[i].y(), 20 - i);
            QCOMPARE(at[5], QPoint(5, 15));  // x = (y - c) / m = 4.75 rounded
        }
    }

    void statisticsTextsAndBoxes()
    {
        const struct {
            const char* name;
            CImage image;
            const char* statistics;
            bool boxes;
        } cases[] = {
            {"grayscale", MakeGrey(20, 10, [](int x, int) { return x * 10; }), "Mean: 40.0\nStd Dev: 14.1", false},
            {"RGB", MakeImage(20, 10, [](int x, int) { return CColorVal(x * 10, 7, 255 - x); }),
             "RED\nMean: 40.0\nStd Dev: 14.1\nGREEN\nMean: 7.0\nStd Dev: 0.0\nBLUE\nMean: 251.0\nStd Dev: 1.4\n", true},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, c.image);
            CProfileDlg dialog(&w.frame(), {2, 3}, {6, 3}, 0, Text({2, 3}, {6, 3}).toStdString());
            QCOMPARE(dialog.Statistics(), QString("Statistics go here"));
            QCOMPARE(dialog.MeasurementInfo(), QString("Measurement info goes here"));
            QVERIFY(dialog.OnInitDialog());
            QCOMPARE(dialog.windowTitle(), QString("Profile"));
            QCOMPARE(dialog.Statistics(), QString(c.statistics));
            QCOMPARE(dialog.MeasurementInfo(), Text({2, 3}, {6, 3}));
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(dialog.Box(k)->isEnabled(), c.boxes);
                QCOMPARE(dialog.Box(k)->isChecked(), c.boxes);
            }
            QCOMPARE(dialog.Box(0)->text(), QString("Red"));
            QCOMPARE(dialog.Box(2)->text(), QString("Blue"));
        }
    }

    void curvesFollowTheBoxes()
    {
        Workbench w;
        // Red 255 and blue 0 along the line: the red curve on top, the blue at the bottom.
        Replace(w, MakeImage(20, 10, [](int, int) { return CColorVal(255, 0, 0); }));
        CProfileDlg dialog(&w.frame(), {0, 5}, {10, 5}, 0, "m");
        QVERIFY(dialog.OnInitDialog());
        const QString statistics = dialog.Statistics();
        const QPoint top(160, 20), bottom(160, 195);
        QImage shot = dialog.grab().toImage();
        QCOMPARE(shot.pixel(top), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(bottom), qRgb(0, 0, 255));
        QCOMPARE(shot.pixel(160, 100), qRgb(255, 255, 255));
        dialog.Box(0)->setChecked(false);
        shot = dialog.grab().toImage();
        QCOMPARE(shot.pixel(top), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(bottom), qRgb(0, 0, 255));
        QCOMPARE(dialog.Statistics(), statistics);
    }

    void samplesAreCopiedSavedAndScaledToTheirRange()
    {
        Workbench w;
        Replace(w, MakeImage(20, 10, [](int x, int) { return CColorVal(100 + x, 50, 60); }));
        CProfileDlg dialog(&w.frame(), {0, 5}, {3, 9}, 53.13, "m");
        QVERIFY(dialog.OnInitDialog());
        dialog.OnCopy();
        const QString copied = QGuiApplication::clipboard()->text();
        const QStringList lines = copied.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), int(dialog.Model().Samples().size()));
        QCOMPARE(lines.front(), QString("0\t0.00\t100\t50\t60"));
        QVERIFY(lines.back().startsWith(QString("%1\t5.00\t103\t50\t60").arg(lines.size() - 1)));
        TempDir dir;
        dialog.askCsvPath = [&] { return QString::fromStdString(dir.path("p.csv")); };
        dialog.OnSave();
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.path("p.csv"));
        QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())),
                 "index,distance,R,G,B\n" + QString(copied).replace('\t', ','));
        // A name typed without an extension is saved as a ".csv" file.
        dialog.askCsvPath = [&] { return QString::fromStdString(dir.path("q")); };
        dialog.OnSave();
        QCOMPARE(ReadBytes(dir.path("q.csv")), bytes);
        // Fitted: the graph spans the samples' 50..103.
        dialog.FitBox()->click();
        QCOMPARE(dialog.Model().RangeLow(), 50);
        QCOMPARE(dialog.Model().RangeHigh(), 103);
        QCOMPARE(dialog.Model().Curve(1).front().y, kProfileGraphTop + kProfileGraphHeight);
        QCOMPARE(dialog.Model().ReadOut(100, kProfileGraphTop), std::string("Intensity:  103"));
    }

    void greyCurveIsBlueAndOneSampleDrawsNothing()
    {
        Workbench w;
        Replace(w, MakeGrey(20, 10, [](int, int) { return 255; }));
        CProfileDlg line(&w.frame(), {0, 5}, {10, 5}, 0, "m");
        QVERIFY(line.OnInitDialog());
        QCOMPARE(line.grab().toImage().pixel(100, 20), qRgb(0, 0, 255));
        CProfileDlg point(&w.frame(), {3, 3}, {3, 3}, 0, "m");
        QVERIFY(point.OnInitDialog());
        const QImage shot = point.grab().toImage();
        for (int x = 35; x <= 285; ++x) QCOMPARE(shot.pixel(x, 20), qRgb(255, 255, 255));
    }

    void readOutUnderTheMouse()
    {
        Workbench w;
        CProfileDlg dialog(&w.frame(), {0, 0}, {5, 0}, 0, "m");
        QVERIFY(dialog.OnInitDialog());
        const struct {
            QPoint at;
            const char* text;
        } cases[] = {
            {{100, 20}, "Intensity:  255"}, {{100, 195}, "Intensity:  0"}, {{35, 107}, "Intensity:  128"},
            {{34, 100}, "Intensity:"},      {{100, 196}, "Intensity:"},    {{285, 19}, "Intensity:"},
        };
        for (const auto& c : cases) {
            HoverAt(&dialog, c.at);
            QCOMPARE(dialog.ReadOut(), QString(c.text));
        }
        HoverAt(&dialog, {100, 100});
        QCOMPARE(dialog.cursor().shape(), Qt::CrossCursor);
    }

    void missingWindowsCloseTheDialog()
    {
        {
            Workbench w;
            CProfileDlg dialog(nullptr, {0, 0}, {5, 0}, 0, "m");
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QCOMPARE(w.user.errors, std::vector<std::string>{"CProfileDlg::OnPaint() aborted.\nFailed to obtain "
                                                             "pointer to main frame."});
        }
        {
            Workbench w;
            QVERIFY(w.frame().CloseAll());
            CProfileDlg dialog(&w.frame(), {0, 0}, {5, 0}, 0, "m");
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QCOMPARE(w.user.errors, std::vector<std::string>{"CProfileDlg::OnPaint() aborted.\nFailed to obtain "
                                                             "pointer to active MDI child window."});
        }
        const struct {
            bool paint;
            const char* text;
        } later[] = {
            {false, "CHistogramDlg::OnMouseMove() aborted.\nFailed to obtain pointer to active MDI child window."},
            {true, "CHistogramDlg::OnPaint() aborted.\nFailed to obtain pointer to active MDI child window."},
        };
        for (const auto& c : later) {
            Workbench w;
            CProfileDlg dialog(&w.frame(), {0, 0}, {5, 0}, 0, "m");
            QVERIFY(dialog.OnInitDialog());
            dialog.show();
            QVERIFY(w.frame().CloseAll());
            if (c.paint) {
                dialog.repaint();
                // The paint may wait for the window to be exposed; a loaded machine takes its time.
                QVERIFY(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 5000));
            } else {
                HoverAt(&dialog, {100, 100});
            }
            QCOMPARE(w.user.errors, std::vector<std::string>{c.text});
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
    }
};

NUVAK_GUI_TEST(TestProfileDlg)
#include "ProfileDlgTest.moc"
