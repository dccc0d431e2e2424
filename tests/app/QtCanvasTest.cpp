// Display bitmaps of both depths become the same Qt picture; colour
// references turn into the right colours.
#include "Workbench.h"
#include "dialogs/QtCanvas.h"
#include "image/DeviceBitmap.h"
#include "support/TestImages.h"

class TestQtCanvas : public QObject {
    Q_OBJECT
private slots:
    void bothDepthsGiveTheImagePixels()
    {
        CImage image = MakeImage(5, 3, [](int x, int y) { return CColorVal(10 * x, 20 * y, 7 + x + y); });
        for (int bits : {24, 32}) {
            CDeviceBitmap bitmap;
            QCOMPARE(image.MakeBitmap(bitmap, true, bits), 0);
            const QImage picture = QtCanvas::ToQImage(bitmap);
            QCOMPARE(picture.size(), QSize(5, 3));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    QCOMPARE(picture.pixel(x, y), qRgb(10 * x, 20 * y, 7 + x + y));
        }
    }

    void colorReferencesAreBlueGreenRed()
    {
        const struct {
            std::uint32_t ref;
            QColor color;
        } cases[] = {{0x000000FF, QColor(255, 0, 0)}, {0x0000FF00, QColor(0, 255, 0)},
                     {0x00FF0000, QColor(0, 0, 255)}, {0x00102030, QColor(0x30, 0x20, 0x10)}};
        for (const auto& c : cases) QCOMPARE(QtCanvas::FromColorRef(c.ref), c.color);
    }
};

NUVAK_GUI_TEST(TestQtCanvas)
#include "QtCanvasTest.moc"
