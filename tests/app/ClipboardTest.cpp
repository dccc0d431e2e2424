// Copy, Paste and Paste Into through the system clipboard, and the pastes'
// enabling by what the clipboard holds.
#include <QClipboard>
#include <QGuiApplication>

#include "Workbench.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

QImage Filled(int width, int height, QRgb (*pixel)(int, int))
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, pixel(x, y));
    return image;
}

QVector<int> Aoi(const CImage& image) { return {image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}; }

}  // namespace

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void copyPutsTheAoiOnly()
    {
        Workbench w;
        Replace(w, MakeImage(64, 48, [](int x, int y) { return CColorVal(x, y, 200); }));
        w.doc().image.SetUpperLeft(30, 20, false);
        w.doc().image.SetLowerRight(49, 29, false);
        QGuiApplication::clipboard()->clear();
        QVERIFY(w.frame().OnCommand(cmd::Copy));
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(20, 10));
        QCOMPARE(copied.pixel(0, 0), qRgb(30, 20, 200));
        QCOMPARE(copied.pixel(19, 9), qRgb(49, 29, 200));
        QVERIFY(w.user.errors.empty());
        QVERIFY(!w.doc().CanUndo());
    }

    void pasteReplacesAtOneToOne()
    {
        const struct {
            const char* name;
            QRgb (*pixel)(int, int);
            int format;
        } cases[] = {
            {"all grey", [](int x, int y) { return qRgb(x + y, x + y, x + y); }, FORMAT_GRAYSCALE},
            {"one colour", [](int, int) { return qRgb(10, 120, 30); }, FORMAT_RGB},
        };
        for (const auto& c : cases) {
            Workbench w;
            Replace(w, MakeGrey(100, 80, [](int, int) { return 7; }));
            w.frame().OnCommand(cmd::ZoomIn);
            QGuiApplication::clipboard()->setImage(Filled(12, 9, c.pixel));
            QVERIFY2(w.frame().OnCommand(cmd::Paste), c.name);
            const CImage& image = w.doc().image;
            QCOMPARE(image.width, 12);
            QCOMPARE(image.height, 9);
            QCOMPARE(image.format, c.format);
            QCOMPARE(image.pixelValueArray[8][11].green, c.format == FORMAT_RGB ? 120 : 19);
            QCOMPARE(Aoi(image), (QVector<int>{0, 0, 11, 8}));
            QCOMPARE(w.view().ZoomFactor(), 1.0f);
            QVERIFY2(w.doc().IsModified(), c.name);
            QVERIFY2(w.doc().CanUndo(), c.name);
        }
    }

    void pasteIntoCentresAndKeepsTheZoom()
    {
        Workbench w;
        Replace(w, MakeGrey(100, 80, [](int, int) { return 7; }));
        w.frame().OnCommand(cmd::ZoomIn);
        QGuiApplication::clipboard()->setImage(Filled(10, 10, [](int, int) { return qRgb(90, 90, 90); }));
        QVERIFY(w.frame().OnCommand(cmd::PasteInto));
        const CImage& image = w.doc().image;
        QCOMPARE(image.width, 100);
        QCOMPARE(Aoi(image), (QVector<int>{45, 35, 54, 44}));
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool pasted = x >= 45 && x <= 54 && y >= 35 && y <= 44;
                QCOMPARE(int(image.pixelValueArray[y][x].red), pasted ? 90 : 7);
            }
        QCOMPARE(image.format, int(FORMAT_GRAYSCALE));
        QCOMPARE(w.view().ZoomFactor(), 2.0f);
        QVERIFY(w.doc().IsModified());
    }

    void pastesFollowTheClipboard()
    {
        Workbench w;
        QGuiApplication::clipboard()->clear();
        QVERIFY(!w.frame().Action(cmd::Paste)->isEnabled());
        QVERIFY(!w.frame().Action(cmd::PasteInto)->isEnabled());
        QVERIFY(!w.frame().OnCommand(cmd::Paste));
        QVERIFY(w.frame().Action(cmd::Copy)->isEnabled());
        QGuiApplication::clipboard()->setImage(Filled(2, 2, [](int, int) { return qRgb(1, 2, 3); }));
        QVERIFY(w.frame().Action(cmd::Paste)->isEnabled());
        QVERIFY(w.frame().Action(cmd::PasteInto)->isEnabled());
        QGuiApplication::clipboard()->setText("not an image");
        QVERIFY(!w.frame().Action(cmd::Paste)->isEnabled());
        // Without a window there is nothing to paste into.
        QGuiApplication::clipboard()->setImage(Filled(2, 2, [](int, int) { return qRgb(1, 2, 3); }));
        QVERIFY(w.frame().CloseAll());
        for (int id : {cmd::Copy, cmd::Paste, cmd::PasteInto, cmd::SelectAll})
            QVERIFY(!w.frame().Action(id)->isEnabled());
    }
};

NUVAK_GUI_TEST(TestClipboard)
#include "ClipboardTest.moc"
