// The frequency processing wizard driven through the Frequency domain
// command: pages, controls, mouse, Apply Filter, Undo, Finish and Cancel.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSlider>

#include "DialogDriving.h"
#include "MouseEvents.h"
#include "Workbench.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/FftAoiDlg.h"
#include "dialogs/FftPicture.h"
#include "dialogs/FftProcessingDlg.h"
#include "dialogs/FftSheet.h"
#include "dialogs/FftWindowDlg.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

CImage Pattern(int width, int height)
{
    return MakeGrey(width, height, [](int x, int y) { return (x * 37 + y * 91 + x * y) % 256; });
}

std::vector<int> Levels(const CImage& image)
{
    return {reinterpret_cast<const unsigned char*>(image.pixelValueArray.data()),
            reinterpret_cast<const unsigned char*>(image.pixelValueArray.data() + image.pixelValueArray.size())};
}

// The 64 x 32 crop at (18, 14) of the 100 x 60 pattern, windowed by type
// (-1: none).
CImage WindowedCrop(int type)
{
    CImage crop = Pattern(100, 60);
    crop.Crop(18, 14, 81, 45);
    if (type >= 0) crop.Window(type, 0.0, 0);
    return crop;
}

bool SameAoi(const CImage& image, int left, int top, int right, int bottom)
{
    return image.aoiLeft == left && image.aoiTop == top && image.aoiRight == right && image.aoiBottom == bottom;
}

// The spectrum values that are zero, as (data row, data column).
std::vector<std::pair<int, int>> Zeros(const CImage& spectrum)
{
    std::vector<std::pair<int, int>> zeros;
    for (int r = 0; r < spectrum.height; ++r)
        for (int c = 0; c < spectrum.width; ++c)
            if (spectrum.dataArray[r][c] == 0.0) zeros.emplace_back(r, c);
    return zeros;
}

void Choose(QButtonGroup* group, int id) { group->button(id)->click(); }

// The texts of the page's labels, buttons and radio buttons.
QStringList Texts(QWidget* page)
{
    QStringList texts;
    for (QLabel* label : page->findChildren<QLabel*>()) texts << label->text();
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) texts << button->text();
    return texts;
}

}  // namespace

class TestFftSheet : public QObject {
    Q_OBJECT
private slots:
    void firstPageOffersPowersOfTwo()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        bool opened = false;
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            opened = true;
            CFftAoiDlg* page = sheet.AoiPage();
            QCOMPARE(sheet.currentId(), int(CFftSheet::kAoiPage));
            QCOMPARE(sheet.windowTitle(), QString("Frequency processing - select AOI for FFT"));
            QStringList widths, heights;
            for (int i = 0; i < page->WidthList()->count(); ++i) widths << page->WidthList()->item(i)->text();
            for (int i = 0; i < page->HeightList()->count(); ++i) heights << page->HeightList()->item(i)->text();
            QCOMPARE(widths, (QStringList{"8", "16", "32", "64"}));
            QCOMPARE(heights, (QStringList{"8", "16", "32"}));
            QCOMPARE(page->WidthList()->currentItem()->text(), QString("64"));
            QCOMPARE(page->HeightList()->currentItem()->text(), QString("32"));
            QVERIFY(sheet.button(QWizard::NextButton)->isEnabled());
            QVERIFY(!sheet.button(QWizard::BackButton)->isVisible());
            QVERIFY(page->TooSmallText()->isHidden());
            sheet.button(QWizard::HelpButton)->click();
            QVERIFY(sheet.findChild<CHelpWindow*>() && sheet.findChild<CHelpWindow*>()->isVisible());
            // The picture shows the image with the AOI outlined in red.
            const QImage shown = page->Picture()->grab().toImage();
            int red = 0;
            for (int x = 18; x <= 81; ++x) red += shown.pixelColor(x, 14) == QColor(Qt::red);
            QVERIFY(red > 16 && red < 64);  // dotted
            QCOMPARE(shown.pixelColor(10, 10).red(), (10 * 37 + 10 * 91 + 100) % 256);
            sheet.next();
            QVERIFY(SameAoi(sheet.Model().Work(), 18, 14, 81, 45));
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        QVERIFY(opened);
    }

    void pagesShowTheirTexts()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            const struct {
                QWidget* page;
                QStringList texts;
            } pages[] = {
                {sheet.AoiPage(),
                 {"To perform an FFT (Fast Fourier Transform) the area of interest width and height must be powers "
                  "of two.",
                  "Select a width and height", "Use the mouse to position the AOI", "AOI Width", "AOI Height"}},
                {sheet.WindowPage(),
                 {"The FFT sees an image as wrapping from top to bottom and from left to right.\nFading the image "
                  "edges before applying an FFT can help reduce anomalies.",
                  "Select a window to apply (see help for details on each window type)", "None", "Hamming", "Hann",
                  "Triangular", "Cosine", "Rolloff", "0.50", "%"}},
                {sheet.ProcessingPage(),
                 {"Processing in the Frequency domain can remove specific frequencies from an image.",
                  "Select filter type and set size with slider or mouse (for custom filters)",
                  "Press Apply to remove the desired frequencies (applies to original image)", "High Pass",
                  "Low Pass", "Custom", "&Apply Filter", "&Undo"}},
            };
            for (const auto& p : pages) {
                const QStringList shown = Texts(p.page);
                for (const QString& text : p.texts) QVERIFY2(shown.contains(text), qPrintable(text));
            }
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void pagesKeepOneSizeWithThePictureClearOfTheControls()
    {
        for (const QSize& size : {QSize(640, 480), QSize(1000, 100), QSize(100, 600), QSize(300, 200)}) {
            Workbench w;
            w.doc().image = Pattern(size.width(), size.height());
            OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
                const QSize wizard = sheet.size();
                CFftAoiDlg* page = sheet.AoiPage();
                const QRect picture(page->Picture()->mapTo(&sheet, QPoint()), page->Picture()->size());
                QCOMPARE(picture.size(), QSize(400, 300));
                // The picture's neighbours on the page's body.
                QWidget* body = page->Picture()->parentWidget();
                for (QWidget* control : body->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (control == page->Picture() || control->isHidden()) continue;
                    const QRect at(control->mapTo(&sheet, QPoint()), control->size());
                    QVERIFY2(!at.intersects(picture), qPrintable(control->metaObject()->className()));
                    QVERIFY(sheet.rect().contains(at));
                }
                const int waits = w.user.waitCount;
                sheet.next();
                QCOMPARE(sheet.size(), wizard);
                sheet.next();
                QCOMPARE(sheet.currentId(), int(CFftSheet::kProcessingPage));
                QCOMPARE(sheet.size(), wizard);
                QVERIFY(w.user.waitCount >= waits + 2);
                QCOMPARE(w.user.waitDepth, 0);
                sheet.reject();
            });
            QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        }
    }

    void stretchedSpectrumIsKeptInTheSettings()
    {
        QSettings().remove("Frequency/StretchContrast");
        for (bool stretch : {true, false}) {
            Workbench w;
            w.doc().image = Pattern(100, 60);
            OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
                sheet.next();
                sheet.next();
                CFftProcessingDlg* page = sheet.ProcessingPage();
                QCOMPARE(page->StretchBox()->isChecked(), !stretch);
                const QImage before = page->SpectrumPicture()->Picture();
                page->StretchBox()->click();
                QVERIFY(page->SpectrumPicture()->Picture() != before);
                sheet.reject();
            });
            QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
            QCOMPARE(QSettings().value("Frequency/StretchContrast").toBool(), stretch);
            QCOMPARE(w.doc().image.width, 100);
        }
    }

    void tooSmallImageOffersNothing()
    {
        for (const auto& size : {std::pair{7, 60}, std::pair{60, 7}}) {
            Workbench w;
            w.doc().image = Pattern(size.first, size.second);
            bool opened = false;
            OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
                opened = true;
                CFftAoiDlg* page = sheet.AoiPage();
                QVERIFY(page->WidthList()->count() == 0 || page->HeightList()->count() == 0);
                QVERIFY(!sheet.button(QWizard::NextButton)->isEnabled());
                QVERIFY(!page->TooSmallText()->isHidden());
                QCOMPARE(page->TooSmallText()->text(),
                         QString("The image is smaller than 8 pixels in width or height.\n"
                                 "No power-of-two AOI of 8 or more pixels fits in it."));
                sheet.next();
                QCOMPARE(sheet.currentId(), int(CFftSheet::kAoiPage));
            });
            QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
            QVERIFY(opened);
            QVERIFY(!w.doc().IsModified());
            QCOMPARE(w.doc().image.width, size.first);
        }
    }

    void aoiMovesWithTheMouse()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            CFftAoiDlg* page = sheet.AoiPage();
            CFftPicture* picture = page->Picture();
            HoverAt(picture, {30, 20});
            QCOMPARE(picture->cursor().shape(), Qt::SizeAllCursor);
            HoverAt(picture, {5, 5});
            QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
            // Beside the tracker nothing moves; on it the tracker follows.
            PressLeft(picture, {5, 5});
            DragTo(picture, {10, 10});
            ReleaseLeft(picture, {10, 10});
            QCOMPARE(page->Model().Tracker().left, 18);
            PressLeft(picture, {30, 20});
            DragTo(picture, {20, 15});
            ReleaseLeft(picture, {20, 15});
            QCOMPARE(page->Model().Tracker().left, 8);
            QCOMPARE(page->Model().Tracker().top, 9);
            // Dropped partly outside: put back.
            PressLeft(picture, {30, 20});
            DragTo(picture, {20, 5});
            ReleaseLeft(picture, {20, 5});
            QCOMPARE(page->Model().Tracker().left, 8);
            QCOMPARE(page->Model().Tracker().top, 9);
            page->WidthList()->setCurrentRow(0);  // around the centre (39, 24)
            QCOMPARE(page->Model().Tracker().left, 35);
            QCOMPARE(page->Model().Tracker().top, 8);
            sheet.next();
            QVERIFY(SameAoi(sheet.Model().Work(), 35, 8, 42, 39));
            QCOMPARE(sheet.Model().Aoi().width, 8);
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void windowPageControls()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            CFftWindowDlg* page = sheet.WindowPage();
            QCOMPARE(sheet.windowTitle(), QString("Frequency processing - apply window before performing FFT"));
            QVERIFY(sheet.button(QWizard::BackButton)->isVisible());
            QCOMPARE(page->CosineLabel()->text(), QString("0.50"));
            QCOMPARE(page->RolloffLabel()->text(), QString("0.50"));
            QCOMPARE(page->CosineSlider()->minimum(), 50);
            QCOMPARE(page->CosineSlider()->maximum(), 100);
            QCOMPARE(page->PercentEdit()->text(), QString("10"));
            QCOMPARE(page->Choices()->checkedId(), int(kWindowNone));
            const struct {
                int choice;
                int type;  // -1 none
                bool cosine, rolloff;
            } cases[] = {
                {kWindowHamming, 0, false, false}, {kWindowHann, 1, false, false},
                {kWindowTriangular, 3, false, false}, {kWindowCosine, 2, true, false},
                {kWindowRolloff, 4, false, true},  {kWindowNone, -1, false, false},
            };
            for (const auto& c : cases) {
                Choose(page->Choices(), c.choice);
                QCOMPARE(page->CosineSlider()->isEnabled(), c.cosine);
                QCOMPARE(page->CosineLabel()->isEnabled(), c.cosine);
                QCOMPARE(page->RolloffSlider()->isEnabled(), c.rolloff);
                QCOMPARE(page->RolloffLabel()->isEnabled(), c.rolloff);
                QCOMPARE(page->PercentEdit()->isEnabled(), c.rolloff);
                QCOMPARE(page->PercentSign()->isEnabled(), c.rolloff);
                CImage expected = Pattern(100, 60);
                expected.Crop(18, 14, 81, 45);
                if (c.type >= 0)
                    expected.Window(c.type, c.choice == kWindowNone ? 0.0 : 0.5, c.choice == kWindowRolloff ? 10 : 0);
                QCOMPARE(Levels(sheet.Model().Spectrum()), Levels(expected));
                // The 64 x 32 AOI is shown four times larger.
                QCOMPARE(page->Picture()->Picture().pixelColor(5 * 4, 3 * 4).red(), expected.pixelValueArray[3][5].red);
            }
            Choose(page->Choices(), kWindowCosine);
            page->CosineSlider()->setValue(70);
            QCOMPARE(page->CosineLabel()->text(), QString("0.70"));
            CImage cosine = WindowedCrop(-1);
            cosine.Window(2, 0.7, 0);
            QCOMPARE(Levels(sheet.Model().Spectrum()), Levels(cosine));

            Choose(page->Choices(), kWindowRolloff);
            page->PercentEdit()->setText("150");
            sheet.next();
            QCOMPARE(sheet.currentId(), int(CFftSheet::kWindowPage));
            QCOMPARE(w.user.errors, (std::vector<std::string>{"Please enter an integer between 0 and 100."}));
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void finishAfterTheWindowPageGivesTheWindowedAoiAndUndoRestores()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        w.doc().image.SetUpperLeft(3, 4, false);
        w.doc().image.SetLowerRight(50, 40, false);
        const CImage before = w.doc().image;
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            Choose(sheet.WindowPage()->Choices(), kWindowHann);
            sheet.next();
            QCOMPARE(sheet.currentId(), int(CFftSheet::kProcessingPage));
            QCOMPARE(sheet.windowTitle(), QString("Frequency processing - delete desired frequencies"));
            QVERIFY(sheet.button(QWizard::FinishButton)->isVisible());
            QVERIFY(!sheet.button(QWizard::NextButton)->isVisible());
            sheet.button(QWizard::FinishButton)->click();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        QVERIFY(w.user.waitCount > 3);  // opening, the first page, each page's work, the new image
        QCOMPARE(w.user.waitDepth, 0);
        QCOMPARE(Levels(w.doc().image), Levels(WindowedCrop(1)));
        QVERIFY(SameAoi(w.doc().image, 0, 0, 63, 31));
        QVERIFY(w.doc().IsModified());
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QCOMPARE(Levels(w.doc().image), Levels(before));
        QVERIFY(SameAoi(w.doc().image, 3, 4, 50, 40));
    }

    void filtersDeleteTheirFrequencies()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            sheet.next();
            CFftProcessingDlg* page = sheet.ProcessingPage();
            QCOMPARE(page->Filters()->checkedId(), int(kFilterLowPass));
            QCOMPARE(page->SizeSlider()->value(), 100);
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 0, 0, 63, 31));
            // Low pass at 100: the corners outside the inscribed ellipse are marked.
            const QImage marked = page->SpectrumPicture()->grab().toImage();
            QCOMPARE(marked.pixelColor(0, 0), QColor(255, 255, 150));
            QVERIFY(marked.pixelColor(32 * 4, 16 * 4) != QColor(255, 255, 150));  // shown four times larger
            page->ApplyButton()->click();
            const std::vector<std::pair<int, int>> zeros = Zeros(sheet.Model().Spectrum());
            // The 436 display pixels outside the ellipse inscribed in 64 x 32.
            QCOMPARE(zeros.size(), size_t(436));
            const FilterEllipse whole{0, 0, 63, 31};
            for (const auto& [r, c] : zeros) QVERIFY(!whole.Contains((c + 32) % 64, (r + 16) % 32));
            // High pass at 0: the zero frequency and its point mirror only.
            Choose(page->Filters(), kFilterHighPass);
            page->SizeSlider()->setValue(0);
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 32, 16, 32, 16));
            page->ApplyButton()->click();
            QCOMPARE(Zeros(sheet.Model().Spectrum()), (std::vector<std::pair<int, int>>{{0, 0}, {31, 63}}));
            CImage inverse = sheet.Model().Spectrum();
            inverse.FftInverse();
            QCOMPARE(Levels(sheet.Model().Result()), Levels(inverse));
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void undoShowsTheUnwindowedSpectrum()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            Choose(sheet.WindowPage()->Choices(), kWindowHamming);
            sheet.next();
            CImage unwindowed = WindowedCrop(-1);
            unwindowed.Fft();
            QVERIFY(Levels(sheet.Model().Spectrum()) != Levels(unwindowed));
            CFftProcessingDlg* page = sheet.ProcessingPage();
            page->ApplyButton()->click();
            page->UndoButton()->click();
            QCOMPARE(Levels(sheet.Model().Spectrum()), Levels(unwindowed));
            QCOMPARE(Levels(sheet.Model().Result()), Levels(WindowedCrop(-1)));
            const QImage result = page->ResultPicture()->Picture();
            QCOMPARE(result.pixelColor(7 * 4, 5 * 4).red(), int(WindowedCrop(-1).pixelValueArray[5][7].red));
            sheet.button(QWizard::FinishButton)->click();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        QCOMPARE(Levels(w.doc().image), Levels(WindowedCrop(-1)));
    }

    void customEllipseByMouse()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            sheet.next();
            CFftProcessingDlg* page = sheet.ProcessingPage();
            CFftPicture* picture = page->SpectrumPicture();
            PressLeft(picture, {5, 5});  // Low Pass: no drag
            QVERIFY(!page->Model().Dragging());
            Choose(page->Filters(), kFilterCustom);
            QVERIFY(!page->SizeSlider()->isEnabled());
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 0, 0, 63, 31));
            // The 64 x 32 spectrum is shown four times larger: picture points are spectrum pixels times 4.
            PressLeft(picture, {10 * 4 + 3, 6 * 4});
            DragTo(picture, {40 * 4, 20 * 4});
            QVERIFY(page->Model().RubberBand().has_value());
            ReleaseLeft(picture, {90 * 4, 25 * 4 + 3});  // beyond the right edge: clipped to 64
            QVERIFY(!page->Model().Dragging());
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 10, 6, 63, 25));
            // Released above the start: the ellipse stays.
            PressLeft(picture, {20 * 4, 20 * 4});
            ReleaseLeft(picture, {30 * 4, 10 * 4});
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 10, 6, 63, 25));
            const QImage marked = picture->grab().toImage();
            QCOMPARE(marked.pixelColor(36 * 4, 16 * 4), QColor(255, 255, 150));  // inside: deleted
            QVERIFY(marked.pixelColor(2 * 4, 30 * 4) != QColor(255, 255, 150));
            Choose(page->Filters(), kFilterLowPass);
            QVERIFY(page->SizeSlider()->isEnabled());
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 0, 0, 63, 31));
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void backFromTheLastPageWindowsAgain()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            Choose(sheet.WindowPage()->Choices(), kWindowHann);
            sheet.next();
            sheet.ProcessingPage()->SizeSlider()->setValue(40);
            sheet.back();
            QCOMPARE(sheet.currentId(), int(CFftSheet::kWindowPage));
            QCOMPARE(Levels(sheet.Model().Spectrum()), Levels(WindowedCrop(1)));
            sheet.next();
            QCOMPARE(sheet.ProcessingPage()->SizeSlider()->value(), 100);
            QVERIFY(SameAoi(sheet.Model().Spectrum(), 0, 0, 63, 31));
            QCOMPARE(Levels(sheet.Model().Result()), Levels(WindowedCrop(1)));
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
    }

    void cancelLeavesTheDocument()
    {
        Workbench w;
        w.doc().image = Pattern(100, 60);
        const CImage before = w.doc().image;
        OnNextDialog<CFftSheet>([&](CFftSheet& sheet) {
            sheet.next();
            sheet.next();
            sheet.ProcessingPage()->ApplyButton()->click();
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        QCOMPARE(Levels(w.doc().image), Levels(before));
        QCOMPARE(w.doc().image.width, 100);
        QVERIFY(!w.doc().IsModified());
        QVERIFY(!w.frame().Action(cmd::Undo)->isEnabled());
        QVERIFY(w.user.errors.empty());
    }

    void transformFailureClosesAsCancelled()
    {
        FakeUserInterface user;
        CFftSheet sheet(MakeImage(16, 16, [](int x, int y) { return CColorVal(x * 9, y * 9, 40); }));
        QCOMPARE(sheet.windowTitle(), QString("Frequency processing"));
        int result = -1;
        QTimer::singleShot(0, [&] {
            sheet.next();
            sheet.next();
        });
        result = sheet.exec();
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(user.errors, (std::vector<std::string>{"CImage::Fft() only defined on grayscale images"}));
    }
};

NUVAK_GUI_TEST(TestFftSheet)
#include "FftSheetTest.moc"
