// The workbench with PNG, TIFF and JPEG files: Save As with a JPEG quality,
// and the Open dialog's 16-bit range choice as the preference.
#include <QComboBox>
#include <QSpinBox>

#include "Workbench.h"
#include "dialogs/ImageOpenDlg.h"
#include "dialogs/SampleRangeBox.h"
#include "document/CommandIds.h"
#include "support/ImageReads.h"

class TestImageFiles : public QObject {
    Q_OBJECT
private slots:
    void saveAsJpegAsksForTheQuality()
    {
        TempDir dir;
        Workbench w;
        w.frame().askSavePath = [&](const QString&) { return QString::fromStdString(dir.path("pic.jpg")); };
        int offered = -1;
        int answer = 0;
        w.frame().askJpegQuality = [&](int initial) { return offered = initial, answer; };
        QVERIFY(w.frame().OnCommand(cmd::FileSaveAs));
        QCOMPARE(offered, 95);
        QVERIFY(!Exists(dir.path("pic.jpg")));  // cancelled

        answer = 60;
        QVERIFY(w.frame().OnCommand(cmd::FileSaveAs));
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.path("pic.jpg"));
        QCOMPARE(DetectFileFormat(bytes.data(), bytes.size()), FileFormat::Jpeg);
        QCOMPARE(w.child()->windowTitle(), QString("pic.jpg"));
        QCOMPARE(w.doc().saveOptions.jpegQuality, 60);

        // Opened again, the PNG written next keeps its format through Save.
        w.frame().askSavePath = [&](const QString&) { return QString::fromStdString(dir.path("pic.png")); };
        QVERIFY(w.frame().OnCommand(cmd::FileSaveAs));
        CChildFrame* png = w.app.OpenDocumentFile(QString::fromStdString(dir.path("pic.png")));
        QVERIFY(png != nullptr);
        QCOMPARE(png->GetDocument().saveOptions.format, std::optional<FileFormat>(FileFormat::Png));
    }

    void openDialogRangeBecomesThePreference()
    {
        const SampleRange before = CurrentSampleRange();
        CImageOpenDlg dialog(nullptr, "Open");
        QCOMPARE(dialog.nameFilters().first(), QString("Images (*.bmp *.png *.tif *.tiff *.jpg *.jpeg)"));
        QCOMPARE(dialog.nameFilters().size(), 5);
        CSampleRangeBox& box = *dialog.range;
        QCOMPARE(box.rangeList->currentIndex(), 0);
        QVERIFY(!box.lowLevel->isEnabled());
        box.rangeList->setCurrentIndex(2);
        QVERIFY(box.lowLevel->isEnabled());
        box.lowLevel->setValue(100);
        box.highLevel->setValue(4000);
        const SampleRange fixed{SampleRange::Mode::Fixed, 100, 4000};
        QCOMPARE(box.Range(), fixed);

        SaveRangePreference(box.Range());
        SetSampleRange({});
        LoadRangePreference();
        QCOMPARE(CurrentSampleRange(), fixed);
        CImageOpenDlg again(nullptr, "Open");
        QCOMPARE(again.range->Range(), fixed);
        SaveRangePreference(before);
    }

    void levelsCommandSetsThePreference()
    {
        const SampleRange before = CurrentSampleRange();
        Workbench w;
        const SampleRange full{SampleRange::Mode::Full, 0, 65535};
        std::optional<SampleRange> answer = full;
        w.frame().askSampleRange = [&] { return answer; };
        QVERIFY(w.frame().OnCommand(cmd::SixteenBitLevels));
        QCOMPARE(CurrentSampleRange(), full);
        QCOMPARE(QSettings().value("Preferences/16-bit levels").toString(), QString("full"));
        answer.reset();
        SetSampleRange({});
        QVERIFY(w.frame().OnCommand(cmd::SixteenBitLevels));
        QCOMPARE(CurrentSampleRange(), SampleRange{});
        SaveRangePreference(before);
    }

    void sixteenBitFilesTellOnceAndAreKeptUnlessConfirmed()
    {
        TempDir dir;
        Workbench w;
        const QString a = QString::fromStdString(dir.path("a.png")), b = QString::fromStdString(dir.path("b.png"));
        WriteGreyPng16(a.toStdString(), {100, 300});
        WriteGreyPng16(b.toStdString(), {7, 7});
        w.app.OpenDocumentFiles({a, b});
        QCOMPARE(w.user.notices, std::vector<std::string>{a.toStdString() +
                                                          " has 16-bit samples; levels 100..300 were mapped to 0..255."
                                                          "\n\n" +
                                                          b.toStdString() +
                                                          " has 16-bit samples, all at level 7; every pixel became 0."});

        QVERIFY(w.frame().OnCommand(cmd::Invert));
        std::vector<QString> asked;
        bool answer = false;
        w.frame().askSaveDeepAnyway = [&](const QString& question) { return asked.push_back(question), answer; };
        const std::vector<std::uint8_t> original = ReadBytes(b.toStdString());
        QVERIFY(w.frame().OnCommand(cmd::FileSave));
        QCOMPARE(asked, std::vector<QString>{b + " holds 16-bit samples; NUVAK writes 8 bits a sample, so the 16-bit "
                                                 "levels would be lost.  Save anyway?"});
        QVERIFY(ReadBytes(b.toStdString()) == original);
        QVERIFY(w.doc().IsModified());
        answer = true;
        QVERIFY(w.frame().OnCommand(cmd::FileSave));
        QVERIFY(!w.doc().IsModified());
        QCOMPARE(ReadImageFile(b.toStdString()).image.pixelValueArray[0][0].red, 255);
        QVERIFY(w.frame().OnCommand(cmd::Invert));
        QVERIFY(w.frame().OnCommand(cmd::FileSave));
        QCOMPARE(asked.size(), size_t(2));  // the file holds 8-bit samples now
    }
};

NUVAK_GUI_TEST(TestImageFiles)
#include "ImageFilesTest.moc"
