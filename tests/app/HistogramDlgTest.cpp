// The histogram dialog's window: channels, bars and ramp, read-out, the
// slide by dragging and its limits, Stretch, Reset, Cancel and OK, the
// document around it, and the texts without an active document.
#include <QComboBox>
#include <QPushButton>

#include "MouseEvents.h"
#include "Workbench.h"
#include "dialogs/HistogramDlg.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

// Levels 10 to 250 in the AOI, one pixel each on the first row.
CImage Levels10To250()
{
    return MakeGrey(241, 3, [](int x, int y) { return y == 0 ? 10 + x : 100; });
}

int Level(const Workbench& w, int x, int y) { return const_cast<Workbench&>(w).doc().image.pixelValueArray[y][x].red; }

QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

}  // namespace

class TestHistogramDlg : public QObject {
    Q_OBJECT
private slots:
    void channelsFollowTheFormat()
    {
        const struct {
            CImage image;
            QStringList entries;
        } cases[] = {
            {MakeGrey(4, 4, [](int, int) { return 3; }), {"Intensity"}},
            {MakeImage(4, 4, [](int, int) { return CColorVal(1, 2, 3); }), {"Red", "Green", "Blue"}},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, c.image);
            CHistogramDlg dialog(&w.frame());
            QVERIFY(dialog.OnInitDialog());
            QCOMPARE(dialog.windowTitle(), QString("Histogram"));
            QCOMPARE(Entries(dialog.ChannelList()), c.entries);
            QCOMPARE(dialog.ChannelList()->currentIndex(), 0);
            for (const char* text : {"&Stretch ", "&Equalize", "&Reset", "OK", "Cancel"}) QVERIFY(dialog.Button(text));
        }
    }

    void barsAndRampAreDrawn()
    {
        Workbench w;
        // Level 40 is the peak (full height); level 200 has half its count.
        Replace(w, MakeImage(30, 1, [](int x, int) { return CColorVal(x < 20 ? 40 : 200, 0, 9); }));
        CHistogramDlg dialog(&w.frame());
        QVERIFY(dialog.OnInitDialog());
        QImage shot = dialog.grab().toImage();
        const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
        QCOMPARE(shot.pixel(50, 21), red);
        QCOMPARE(shot.pixel(50, 20), white);
        QCOMPARE(shot.pixel(210, 108), red);  // 195 - 10 x 175 / 20 = 107.5, truncated
        QCOMPARE(shot.pixel(210, 107), white);
        QCOMPARE(shot.pixel(51, 100), white);
        QCOMPARE(shot.pixel(10 + 128, 210), qRgb(128, 0, 0));
        dialog.ChannelList()->setCurrentIndex(2);
        shot = dialog.grab().toImage();
        QCOMPARE(shot.pixel(19, 21), qRgb(0, 0, 255));
        QCOMPARE(shot.pixel(50, 100), white);
        QCOMPARE(shot.pixel(10 + 128, 210), qRgb(0, 0, 128));
    }

    void readOutUnderTheMouse()
    {
        Workbench w;
        Replace(w, Levels10To250());
        CHistogramDlg dialog(&w.frame());
        QVERIFY(dialog.OnInitDialog());
        const struct {
            QPoint at;
            const char* intensity;
            const char* count;
        } cases[] = {
            {{10 + 100, 100}, "Intensity:  100", "Pixel Count:  483"},
            {{10 + 11, 194}, "Intensity:  11", "Pixel Count:  1"},
            {{10 + 255, 21}, "Intensity:  255", "Pixel Count:  0"},
            {{10 + 100, 20}, "Intensity:", "Pixel Count:"},
            {{9, 100}, "Intensity:", "Pixel Count:"},
        };
        for (const auto& c : cases) {
            HoverAt(&dialog, c.at);
            QCOMPARE(dialog.IntensityText(), QString(c.intensity));
            QCOMPARE(dialog.CountText(), QString(c.count));
        }
    }

    void slideByDraggingIsLimited()
    {
        const struct {
            const char* name;
            int press;
            QList<int> moves;
            int release;
            int lowest;     // where level 10 went; 10: no slide
            int markersAt;  // -1: none shown
        } cases[] = {
            {"right, limited to 5", 110, {114, 200}, 200, 15, 114},
            {"left, limited to 10", 110, {100, 30}, 30, 0, 100},
            {"a small slide", 110, {113}, 113, 13, 113},
            {"outside the occupied levels", 15, {100}, 100, 10, -1},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, Levels10To250());
            CHistogramDlg dialog(&w.frame());
            QVERIFY(dialog.OnInitDialog());
            PressLeft(&dialog, {c.press, 100});
            for (int x : c.moves) DragTo(&dialog, {x, 100});
            QCOMPARE(dialog.MarkersShown(), c.markersAt >= 0);
            if (c.markersAt >= 0) {
                // The occupied range 10..250 pressed at level 100: 90 below, 150 above.
                QCOMPARE(dialog.LowMarker(), c.markersAt - 90);
                QCOMPARE(dialog.HighMarker(), c.markersAt + 150);
                const QImage shot = dialog.grab().toImage();
                QCOMPARE(shot.pixel(dialog.LowMarker(), 30), qRgb(0, 0, 0));  // inverted white
                QCOMPARE(dialog.cursor().shape(), Qt::SizeHorCursor);
            }
            ReleaseLeft(&dialog, {c.release, 100});
            QCOMPARE(Level(w, 0, 0), c.lowest);
            QCOMPARE(Level(w, 240, 0), 250 + c.lowest - 10);
            QCOMPARE(Level(w, 0, 1), 100 + c.lowest - 10);
            QCOMPARE(w.doc().image.format, int(FORMAT_GRAYSCALE));
            QVERIFY(!dialog.MarkersShown());
        }
    }

    void stretchThenResetThenCancel()
    {
        Workbench w;
        Replace(w, MakeGrey(51, 2, [](int x, int) { return 50 + x; }));
        CHistogramDlg dialog(&w.frame());
        QVERIFY(dialog.OnInitDialog());
        dialog.Button("&Stretch ")->click();
        QCOMPARE(Level(w, 0, 0), 0);
        QCOMPARE(Level(w, 50, 1), 255);
        QCOMPARE(Level(w, 10, 0), 51);
        dialog.Button("&Reset")->click();
        QCOMPARE(Level(w, 0, 0), 50);
        QCOMPARE(Level(w, 50, 1), 100);
        dialog.Button("&Equalize")->click();
        QVERIFY(Level(w, 0, 0) != 50 || Level(w, 50, 1) != 100);
        w.doc().image.objects.resize(2);  // found objects outlive a Cancel
        dialog.Button("Cancel")->click();
        QCOMPARE(Level(w, 0, 0), 50);
        QCOMPARE(Level(w, 50, 1), 100);
        QCOMPARE(w.doc().image.ObjectCount(), 2);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(w.user.errors.empty());
    }

    void theCommandAroundTheDialog()
    {
        const struct {
            const char* button;
            int level;
            bool modified;
        } cases[] = {{"OK", 0, true}, {"Cancel", 50, false}};
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, MakeGrey(51, 2, [](int x, int) { return 50 + x; }));
            QVERIFY(w.frame().Action(cmd::Histogram)->isEnabled());
            const char* button = c.button;
            WhenModal<CHistogramDlg>([button](CHistogramDlg& dialog) {
                dialog.Button("&Stretch ")->click();
                dialog.Button(button)->click();
            });
            QVERIFY(w.frame().OnCommand(cmd::Histogram));
            QCOMPARE(Level(w, 0, 0), c.level);
            QCOMPARE(w.doc().IsModified(), c.modified);
            // Cancel keeps the undo steps as they were: none.
            QCOMPARE(w.doc().CanUndo(), c.modified);
            if (c.modified) QVERIFY(w.frame().OnCommand(cmd::Undo));
            QCOMPARE(Level(w, 0, 0), 50);
        }
    }

    void withoutADocument()
    {
        const char* const missing = "\nFailed to obtain pointer to active document.";
        {
            Workbench w;
            QVERIFY(w.frame().CloseAll());
            CHistogramDlg dialog(&w.frame());
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QCOMPARE(w.user.errors,
                     std::vector<std::string>{std::string("CHistogramDlg::OnInitDialog() aborted.") + missing});
        }
        const struct {
            const char* handler;
            std::function<void(CHistogramDlg&)> act;
        } cases[] = {
            {"CHistogramDlg::OnPaint() aborted.",
             [](CHistogramDlg& d) {
                 d.repaint();
                 // The paint may wait for the window to be exposed; a loaded machine takes its time.
                 QVERIFY(QTest::qWaitFor([&d] { return !d.isVisible(); }, 5000));
             }},
            {"CHistogramDlg::OnMouseMove() aborted.",
             [](CHistogramDlg& d) {
                 HoverAt(&d, {100, 100});
             }},
            {"CHistogramDlg::OnSelchangeHstChannel() aborted.",
             [](CHistogramDlg& d) { QMetaObject::invokeMethod(d.ChannelList(), "activated", Q_ARG(int, 0)); }},
            {"CHistogramDlg::OnHstStretch() aborted.", [](CHistogramDlg& d) { d.Button("&Stretch ")->click(); }},
            {"CHistogramDlg::OnHstEqualize() aborted.", [](CHistogramDlg& d) { d.Button("&Equalize")->click(); }},
            {"CHistogramDlg::OnReset() cannot restore original image data.",
             [](CHistogramDlg& d) { d.Button("&Reset")->click(); }},
            {"CHistogramDlg::OnCancel() cannot restore original image data.",
             [](CHistogramDlg& d) { d.Button("Cancel")->click(); }},
        };
        for (const auto& c : cases) {
            Workbench w;
            CHistogramDlg dialog(&w.frame());
            QVERIFY(dialog.OnInitDialog());
            dialog.show();
            QVERIFY(w.frame().CloseAll());
            c.act(dialog);
            QCOMPARE(w.user.errors, std::vector<std::string>{std::string(c.handler) + missing});
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            // Mouse buttons fall back silently.
            PressLeft(&dialog, {100, 100});
            ReleaseLeft(&dialog, {100, 100});
            QCOMPARE(w.user.errors.size(), size_t(1));
        }
    }
};

NUVAK_GUI_TEST(TestHistogramDlg)
#include "HistogramDlgTest.moc"
