// Image windows: New, Open, Save, Attributes, the command pipeline, one-level
// undo, Crop, Close All, recent files and dropped files.
#include <QMimeData>
#include <QSettings>

#include "Workbench.h"
#include "document/CommandIds.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

// Writes a grey bitmap whose pixel (x, y) is f(x, y).
QString WriteGrey(const TempDir& dir, const std::string& name, int w, int h, int (*f)(int, int))
{
    return WriteBitmap(dir, name, MakeGrey(w, h, [f](int x, int y) { return f(x, y); }));
}

int Ramp(int x, int y) { return (x + 2 * y) % 256; }

}  // namespace

class TestDocumentWindows : public QObject {
    Q_OBJECT
private slots:
    void startsWithOneWhiteImageAndNewCountsOn()
    {
        Workbench w;
        QCOMPARE(w.titles(), QStringList{"Image1"});
        const CImage& image = w.doc().image;
        QCOMPARE(image.width, 640);
        QCOMPARE(image.height, 480);
        QCOMPARE(image.format, int(FORMAT_RGB));
        QVERIFY(std::all_of(image.pixelValueArray.data(), image.pixelValueArray.data() + image.pixelValueArray.size(),
                            [](const CColorVal& c) { return c == CColorVal(255, 255, 255); }));
        QVERIFY(!w.doc().IsModified());
        QCOMPARE(w.frame().windowTitle(), QString("NUVAK - Image1"));

        QVERIFY(w.frame().OnCommand(cmd::FileNew));
        QVERIFY(w.frame().OnCommand(cmd::FileNew));
        QCOMPARE(w.titles(), (QStringList{"Image1", "Image2", "Image3"}));
        QCOMPARE(w.child()->windowTitle(), QString("Image3"));
        QCOMPARE(w.frame().windowTitle(), QString("NUVAK - Image3"));
    }

    void attributesOfANewImage()
    {
        Workbench w;
        QVERIFY(w.frame().OnCommand(cmd::Attributes));
        QCOMPARE(w.user.notices.size(), size_t(1));
        QCOMPARE(QString::fromStdString(w.user.notices[0]),
                 QString("File has not been saved yet.\nwidth = 640 pixels\nheight = 480 pixels\n\n"
                         "Image format: RGB\nArea of Interest, upper left:  (0, 0)\n"
                         "Area of Interest, lower right:  (639, 479)\n"));
        QVERIFY(!w.doc().IsModified());
        QVERIFY(!w.frame().Action(cmd::Undo)->isEnabled());
    }

    void pipelineMarksModifiedEvenAfterAFailure()
    {
        Workbench w;
        w.doc().RunPipeline([](CImage& image) {
            image.errorMessage = "CImage::Something() failed.";
            return -1;
        }, true, true);
        QVERIFY(w.doc().IsModified());
        QCOMPARE(w.child()->windowTitle(), QString("Image1*"));
        QCOMPARE(w.frame().windowTitle(), QString("NUVAK - Image1*"));
        QCOMPARE(w.user.errors, std::vector<std::string>{"CImage::Something() failed."});
        QCOMPARE(w.user.waitDepth, 0);
    }

    void cancelledDialogLeavesTheUndoStepsAlone()
    {
        Workbench w;
        int ran = 0;
        w.doc().RunPipeline([&](CImage&) { return ++ran, 0; }, true, true, [] { return false; });
        w.frame().UpdateCommandUI();
        QCOMPARE(ran, 0);
        QVERIFY(!w.doc().IsModified());
        QVERIFY(!w.frame().Action(cmd::Undo)->isEnabled());
    }

    void undoGoesBackOneCommandAtATimeWithItsAoi()
    {
        Workbench w;
        CImage& image = w.doc().image;
        image.SetUpperLeft(10, 20, false);
        image.SetLowerRight(109, 69, false);
        QVERIFY(w.frame().OnCommand(cmd::Crop));
        QCOMPARE(image.width, 100);
        image.SetUpperLeft(5, 5, false);
        QVERIFY(w.frame().OnCommand(cmd::Grayscale));
        image.objects.resize(2);
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QCOMPARE(image.width, 100);
        QCOMPARE(image.height, 50);
        QCOMPARE(image.format, int(FORMAT_RGB));
        QCOMPARE(image.aoiLeft, 5);
        QCOMPARE(image.aoiTop, 5);
        QCOMPARE(image.ObjectCount(), 0);
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QCOMPARE(image.width, 640);
        QCOMPARE(image.aoiLeft, 10);
        QVERIFY(!w.frame().OnCommand(cmd::Undo));
        QVERIFY(w.user.errors.empty());
    }

    void cropOfTheWholeImageKeepsEveryPixel()
    {
        TempDir dir;
        const QString path = WriteGrey(dir, "ramp.bmp", 40, 30, Ramp);
        Workbench w({path});
        QCOMPARE(w.titles(), QStringList{"ramp.bmp"});
        w.doc().image.objects.resize(1);
        QVERIFY(w.frame().OnCommand(cmd::Crop));
        const CImage& image = w.doc().image;
        QCOMPARE(image.width, 40);
        QCOMPARE(image.height, 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) QCOMPARE(int(image.pixelValueArray[y][x].red), Ramp(x, y));
        QCOMPARE(image.ObjectCount(), 0);
        QVERIFY(w.doc().IsModified());
    }

    void saveWritesTheFileAndRemembersIt()
    {
        QSettings().clear();
        TempDir dir;
        Workbench w;
        QString asked;
        w.frame().askSavePath = [&](const QString& suggested) {
            asked = suggested;
            return QString::fromStdString(dir.path("white"));
        };
        QVERIFY(w.frame().OnCommand(cmd::FileSave));
        QCOMPARE(asked, QString("Image1"));
        QVERIFY(Exists(dir.path("white.bmp")));
        QCOMPARE(w.child()->windowTitle(), QString("white.bmp"));
        QCOMPARE(w.frame().windowTitle(), QString("NUVAK - white.bmp"));
        QCOMPARE(w.app.RecentFiles().Paths(), QStringList{QString::fromStdString(dir.path("white.bmp"))});
        QCOMPARE(ReadBytes(dir.path("white.bmp")).size(), size_t(54 + 640 * 480 * 3));
    }

    void refusedBitmapOpensNoWindow()
    {
        TempDir dir;
        WriteBytes(dir.path("bad.bmp"), std::vector<std::uint8_t>(60, 'x'));
        Workbench w;
        QVERIFY(w.app.OpenDocumentFile(QString::fromStdString(dir.path("bad.bmp"))) == nullptr);
        QCOMPARE(w.titles(), QStringList{"Image1"});
        QCOMPARE(w.user.errors, std::vector<std::string>{dir.path("bad.bmp") + " is not a bitmap, PNG, TIFF or JPEG file."});
    }

    void openSeveralFilesInOrderAndReuseOpenOnes()
    {
        TempDir dir;
        const QString a = WriteGrey(dir, "a.bmp", 8, 8, Ramp);
        const QString b = WriteGrey(dir, "b.bmp", 9, 9, Ramp);
        Workbench w;
        w.app.OpenDocumentFiles({a, b});
        QCOMPARE(w.titles(), (QStringList{"Image1", "a.bmp", "b.bmp"}));
        QCOMPARE(w.child()->windowTitle(), QString("b.bmp"));
        w.app.OpenDocumentFile(a);
        QCOMPARE(w.titles().size(), 3);
        QCOMPARE(w.child()->windowTitle(), QString("a.bmp"));
    }

    void recentFilesKeepTheLastFour()
    {
        QSettings().clear();
        TempDir dir;
        QStringList paths;
        for (const char* name : {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"})
            paths << WriteGrey(dir, name, 4, 4, Ramp);
        {
            Workbench w;
            w.app.OpenDocumentFiles(paths);
        }
        // A later run finds them in the settings, newest first.
        Workbench again;
        QCOMPARE(again.app.RecentFiles().Paths(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    }

    void droppedFilesOpen()
    {
        TempDir dir;
        const QString a = WriteGrey(dir, "dropped.bmp", 8, 8, Ramp);
        Workbench w;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.frame(), &drop);
        QCOMPARE(w.titles(), (QStringList{"Image1", "dropped.bmp"}));
    }

    void closeAllAsksAndCancelKeepsEverything()
    {
        Workbench w;
        QVERIFY(w.frame().OnCommand(cmd::FileNew));
        QVERIFY(w.frame().OnCommand(cmd::Grayscale));  // Image2 is modified
        QStringList questions;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        w.frame().askSaveChanges = [&](const QString& text) { return questions << text, answer; };

        QVERIFY(w.frame().OnCommand(cmd::CloseAll));
        QCOMPARE(questions, QStringList{"Save changes to Image2?"});
        QCOMPARE(w.titles(), (QStringList{"Image1", "Image2*"}));

        answer = QMessageBox::No;
        QVERIFY(w.frame().OnCommand(cmd::CloseAll));
        QCOMPARE(questions.size(), 2);  // Image1 was never changed
        QVERIFY(w.titles().isEmpty());
        QVERIFY(!w.frame().Action(cmd::Attributes)->isEnabled());
        QCOMPARE(w.frame().windowTitle(), QString("NUVAK"));
    }
};

NUVAK_GUI_TEST(TestDocumentWindows)
#include "DocumentWindowTest.moc"
