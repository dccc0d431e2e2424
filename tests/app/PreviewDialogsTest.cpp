// The six preview dialogs driven through their controls: defaults, enabling
// per format and mode, refused fields, preview pixels and early closes.
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "DialogDriving.h"
#include "Workbench.h"
#include "dialogs/BoundDlg.h"
#include "dialogs/BrightnessSliceDlg.h"
#include "dialogs/CleanDlg.h"
#include "dialogs/FilterDlg.h"
#include "dialogs/MorphologyDlg.h"
#include "dialogs/PreviewPic.h"
#include "dialogs/ThresholdDlg.h"
#include "support/TestImages.h"

namespace {

using TM = ThresholdDialogModel;
using BM = BoundDialogModel;
using FM = FilterDialogModel;
using MM = MorphologyDialogModel;

CImage Ramp(int format, int width = 8, int height = 6)
{
    CImage image = MakeImage(width, height, [](int x, int y) { return CColorVal(30 * x + y, 30 * x + y, 30 * x + y); });
    image.format = format;
    return image;
}

// A grey 7 x 7 image, black but for 90 at its centre.
CImage Dot()
{
    return MakeGrey(7, 7, [](int x, int y) { return x == 3 && y == 3 ? 90 : 0; });
}

// The grey levels of row y of the preview copy.
std::vector<int> PreviewRow(CPreviewDlg& dlg, int y)
{
    const CImage& image = static_cast<PreviewDialog&>(dlg.Model()).PreviewCopy();
    std::vector<int> row;
    for (int x = 0; x < image.width; ++x) row.push_back(image.pixelValueArray[y][x].red);
    return row;
}

// The picture shows the preview copy unscaled for these small images.
bool PictureShowsPreview(CPreviewDlg& dlg)
{
    const CImage& image = static_cast<PreviewDialog&>(dlg.Model()).PreviewCopy();
    const QImage& shown = dlg.Picture()->Picture();
    if (shown.width() != image.width || shown.height() != image.height) return false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const CColorVal c = image.pixelValueArray[y][x];
            if (shown.pixel(x, y) != qRgb(c.red, c.green, c.blue)) return false;
        }
    return true;
}

bool Enabled(COperationDlg& dlg, int id) { return dlg.Control(id)->isEnabled(); }
bool Shown(COperationDlg& dlg, int id) { return !dlg.Control(id)->isHidden(); }
QString Text(COperationDlg& dlg, int id) { return qobject_cast<QLineEdit*>(dlg.Control(id))->text(); }

}  // namespace

class TestPreviewDialogs : public QObject {
    Q_OBJECT
private slots:
    void thresholdDefaultsAndComponentByFormat()
    {
        for (int format : {FORMAT_RGB, FORMAT_GRAYSCALE}) {
            FakeUserInterface ui;
            CThresholdDlg dlg;
            QVERIFY(dlg.Open(Ramp(format)));
            QCOMPARE(dlg.windowTitle(), QString("Threshold"));
            QCOMPARE(Enabled(dlg, TM::kComponent), format == FORMAT_RGB);
            QCOMPARE(qobject_cast<QComboBox*>(dlg.Control(TM::kComponent))->currentText(), QString("RGB"));
            QCOMPARE(Text(dlg, TM::kLevel), QString("127"));
            QCOMPARE(Text(dlg, TM::kFill), QString("0"));
            QVERIFY(qobject_cast<QRadioButton*>(dlg.Control(TM::kBelow))->isChecked());
            QCOMPARE(qobject_cast<QRadioButton*>(dlg.Control(TM::kAbove))->text(), QString("Above"));
            // Levels 0, 30, ..., 210: below 127 filled with 0.
            QCOMPARE(PreviewRow(dlg, 0), (std::vector<int>{0, 0, 0, 0, 0, 150, 180, 210}));
            QVERIFY(PictureShowsPreview(dlg));
        }
    }

    void thresholdPreviewFollowsEveryControl()
    {
        FakeUserInterface ui;
        CThresholdDlg dlg;
        QVERIFY(dlg.Open(Ramp(FORMAT_GRAYSCALE)));
        Type(dlg, TM::kLevel, "100");
        Type(dlg, TM::kFill, "7");
        QCOMPARE(PreviewRow(dlg, 0), (std::vector<int>{7, 7, 7, 7, 120, 150, 180, 210}));
        Click(dlg, TM::kAbove);
        QCOMPARE(PreviewRow(dlg, 0), (std::vector<int>{0, 30, 60, 90, 7, 7, 7, 7}));
        QVERIFY(PictureShowsPreview(dlg));
        QVERIFY(ui.errors.empty());
    }

    void refusedLevelKeepsPreviewAndDialog()
    {
        FakeUserInterface ui;
        CThresholdDlg dlg;
        QVERIFY(dlg.Open(Ramp(FORMAT_GRAYSCALE)));
        const std::vector<int> before = PreviewRow(dlg, 0);
        // Typing marks the field without a box; the preview keeps the last valid level.
        Type(dlg, TM::kLevel, "3");
        const std::vector<int> three = PreviewRow(dlg, 0);
        Type(dlg, TM::kLevel, "300");
        QCOMPARE(PreviewRow(dlg, 0), three);
        QVERIFY(ui.errors.empty());
        QCOMPARE(dlg.MarkedField()->control, int(TM::kLevel));
        QCOMPARE(dlg.FieldMessage(), QString("Please enter an integer between 0 and 255."));
        QCOMPARE(dlg.Control(TM::kLevel)->toolTip(), dlg.FieldMessage());
        // Leaving the field for another one shows the box.
        dlg.show();
        dlg.Control(TM::kLevel)->setFocus();
        QTRY_VERIFY(dlg.Control(TM::kLevel)->hasFocus());
        dlg.Control(TM::kFill)->setFocus();
        QTRY_COMPARE(ui.errors, std::vector<std::string>{"Please enter an integer between 0 and 255."});

        dlg.Control(TM::kFill)->setFocus();
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));  // still open: no result yet
        QCOMPARE(ui.errors.size(), size_t(2));
        QCOMPARE(ui.errors[1], std::string("Please enter an integer between 0 and 255."));
        QCOMPARE(dlg.focusWidget(), dlg.Control(TM::kLevel));

        Type(dlg, TM::kLevel, "x");
        QCOMPARE(dlg.FieldMessage(), QString("Please enter an integer."));
        Type(dlg, TM::kLevel, "200");
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Values().Params().threshold, 200);
    }

    void brightnessSliceGreyPreviewAndRgbClose()
    {
        FakeUserInterface ui;
        CBrightnessSliceDlg grey;
        QVERIFY(grey.Open(Ramp(FORMAT_GRAYSCALE)));
        QCOMPARE(grey.windowTitle(), QString("Brightness Slice"));
        QCOMPARE(Text(grey, BrightnessSliceDialogModel::kLow), QString("100"));
        QCOMPARE(Text(grey, BrightnessSliceDialogModel::kHigh), QString("150"));
        Type(grey, BrightnessSliceDialogModel::kLow, "60");
        QCOMPARE(PreviewRow(grey, 0), (std::vector<int>{0, 0, 255, 255, 255, 255, 0, 0}));
        QVERIFY(ui.errors.empty());

        CBrightnessSliceDlg rgb;
        QVERIFY(!rgb.Open(Ramp(FORMAT_RGB)));
        QVERIFY(!rgb.isVisible());
        QCOMPARE(ui.errors, (std::vector<std::string>{"CImage::BrightnessSlice() only defined on grayscale images",
                                                      "Brightness Slice Aborted."}));
    }

    void boundColourByFormatAndPalette()
    {
        FakeUserInterface ui;
        CBoundDlg grey;
        QVERIFY(grey.Open(Ramp(FORMAT_GRAYSCALE)));
        QVERIFY(Enabled(grey, BM::kIntensity));
        for (int id : {BM::kRed, BM::kGreen, BM::kBlue, BM::kPalette}) QVERIFY(!Enabled(grey, id));
        QVERIFY(qobject_cast<QRadioButton*>(grey.Control(BM::kOutside))->isChecked());

        CImage image = Ramp(FORMAT_RGB);
        image.SetUpperLeft(1, 0, false);
        image.SetLowerRight(6, 5, false);
        CBoundDlg rgb;
        QVERIFY(rgb.Open(image));
        QVERIFY(!Enabled(rgb, BM::kIntensity));
        for (int id : {BM::kRed, BM::kGreen, BM::kBlue, BM::kPalette}) QVERIFY(Enabled(rgb, id));
        QColor offered;
        rgb.chooseColor = [&](const QColor& initial) -> std::optional<QColor> {
            offered = initial;
            return QColor(4, 5, 6);
        };
        Type(rgb, BM::kRed, "9");
        qobject_cast<QPushButton*>(rgb.Control(BM::kPalette))->click();
        QCOMPARE(offered, QColor(9, 0, 0));
        QCOMPARE(Text(rgb, BM::kGreen), QString("5"));
        const CImage& preview = rgb.Values().PreviewCopy();
        QVERIFY(preview.pixelValueArray[0][0] == CColorVal(4, 5, 6));
        QVERIFY(preview.pixelValueArray[0][1] == CColorVal(30, 30, 30));
        Click(rgb, BM::kInside);
        QVERIFY(rgb.Values().PreviewCopy().pixelValueArray[0][1] == CColorVal(4, 5, 6));
        QVERIFY(rgb.Values().PreviewCopy().pixelValueArray[0][7] == CColorVal(210, 210, 210));
        QVERIFY(PictureShowsPreview(rgb));
        QVERIFY(ui.errors.empty());
    }

    void filterControlsPerType()
    {
        FakeUserInterface ui;
        const struct {
            int type;
            const char* title;
            bool size, direction, boost;
        } cases[] = {
            {0, "High Pass Spatial Filter", true, false, false}, {1, "Laplacian Edge Enhancement", true, false, false},
            {2, "Low Pass Spatial Filter", true, false, false},  {3, "Median Filter", true, false, false},
            {4, "Prewitt Edge Enhancement", false, true, false}, {6, "Unsharp Mask", true, false, true},
        };
        for (const auto& c : cases) {
            CFilterDlg dlg(c.type);
            QCOMPARE(dlg.windowTitle(), QString(c.title));
            QCOMPARE(Enabled(dlg, FM::kSize), c.size);
            QCOMPARE(qobject_cast<QComboBox*>(dlg.Control(FM::kSize))->currentText(), QString("3"));
            QCOMPARE(Shown(dlg, FM::kDirection), c.direction);
            QCOMPARE(Shown(dlg, FM::kDirectionLabel), c.direction);
            QCOMPARE(qobject_cast<QComboBox*>(dlg.Control(FM::kDirection))->currentText(), QString("North"));
            QCOMPARE(Shown(dlg, FM::kBoost), c.boost);
            QCOMPARE(Shown(dlg, FM::kBoostLabel), c.boost);
            QCOMPARE(Text(dlg, FM::kBoost), QString("1"));
        }
        CFilterDlg unknown(9);
        QCOMPARE(unknown.windowTitle(), QString("High Pass Spatial Filter"));
        QCOMPARE(ui.errors, std::vector<std::string>{"Unrecognized filter type."});
    }

    void filterPreviewShrinksAndFollowsSize()
    {
        FakeUserInterface ui;
        CFilterDlg dlg(FM::kLowPass);
        QVERIFY(dlg.Open(Dot()));
        // The AOI shrinks to 1..5: the 3 x 3 mean spreads the dot as 10s.
        QCOMPARE(PreviewRow(dlg, 1), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(PreviewRow(dlg, 2), (std::vector<int>{0, 0, 10, 10, 10, 0, 0}));
        QCOMPARE(dlg.Values().PreviewCopy().aoiLeft, 1);
        QCOMPARE(dlg.Values().PreviewCopy().aoiBottom, 5);
        QVERIFY(PictureShowsPreview(dlg));
        dlg.setWindowTitle("changed");
        Choose(dlg, FM::kSize, 3);  // 9 x 9 leaves no room in 7 x 7
        QCOMPARE(ui.errors, std::vector<std::string>{"Cannot reset AOI.  Filter Aborted."});
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(ui.questions.empty());
    }

    void filterClosesOnAThreeByThreeImage()
    {
        FakeUserInterface ui;
        CFilterDlg dlg(FM::kHighPass);
        QVERIFY(!dlg.Open(MakeGrey(3, 3, [](int x, int) { return x; })));
        QCOMPARE(ui.errors, std::vector<std::string>{"Cannot reset AOI.  Filter Aborted."});
    }

    void unsharpBoostReachesThePreview()
    {
        FakeUserInterface ui;
        CFilterDlg dlg(FM::kUnsharpMask);
        QVERIFY(dlg.Open(Dot()));
        auto* boost = qobject_cast<QLineEdit*>(dlg.Control(FM::kBoost));
        boost->clear();
        QTest::keyClicks(boost, "-2");
        QCOMPARE(boost->text(), QString("2"));
        QCOMPARE(dlg.Values().Params().boost, 2.0);
        CImage expected = Dot();
        expected.SetUpperLeft(1, 1, false);
        expected.SetLowerRight(5, 5, false);
        QCOMPARE(expected.UnsharpMask(3, 2.0), 0);
        QCOMPARE(PreviewRow(dlg, 3), [&] {
            std::vector<int> row;
            for (int x = 0; x < 7; ++x) row.push_back(expected.pixelValueArray[3][x].red);
            return row;
        }());
    }

    void morphologyControlsPerOperation()
    {
        FakeUserInterface ui;
        const char* titles[] = {"Erosion", "Dilation", "Opening", "Closing",
                                "Outline", "Gradient", "Peak Detector", "Valley Detector"};
        const bool repetitions[] = {false, false, true, true, false, false, true, true};
        for (int op = 0; op < 8; ++op) {
            CMorphologyDlg dlg(op);
            QCOMPARE(dlg.windowTitle(), QString(titles[op]));
            QCOMPARE(Shown(dlg, MM::kRepetitions), repetitions[op]);
            QCOMPARE(Shown(dlg, MM::kRepetitionsLabel), repetitions[op]);
            QCOMPARE(Text(dlg, MM::kRepetitions), QString("1"));
            QCOMPARE(qobject_cast<QComboBox*>(dlg.Control(MM::kDirection))->currentText(), QString("Omnidirectional"));
        }
        CMorphologyDlg other(8);
        QCOMPARE(other.windowTitle(), QString("Erosion"));
    }

    void morphologyPreviewAndRepetitions()
    {
        FakeUserInterface ui;
        CMorphologyDlg dlg(MM::kDilation);
        QVERIFY(dlg.Open(Dot()));
        QCOMPARE(dlg.Picture()->width(), 244);
        QCOMPARE(PreviewRow(dlg, 2), (std::vector<int>{0, 0, 90, 90, 90, 0, 0}));
        QCOMPARE(PreviewRow(dlg, 3), (std::vector<int>{0, 0, 90, 90, 90, 0, 0}));
        Choose(dlg, MM::kDirection, 2);  // vertical
        QCOMPARE(PreviewRow(dlg, 2), (std::vector<int>{0, 0, 0, 90, 0, 0, 0}));
        QCOMPARE(PreviewRow(dlg, 3), (std::vector<int>{0, 0, 0, 90, 0, 0, 0}));
        QVERIFY(PictureShowsPreview(dlg));
        QVERIFY(ui.errors.empty());

        CMorphologyDlg opening(MM::kOpening);
        QVERIFY(opening.Open(Dot()));
        for (const char* refused : {"0", "6"}) {
            Type(opening, MM::kRepetitions, refused);
            opening.accept();
            QCOMPARE(ui.errors.back(), std::string("Please enter an integer between 1 and 5."));
            QCOMPARE(opening.focusWidget(), opening.Control(MM::kRepetitions));
            QCOMPARE(opening.result(), int(QDialog::Rejected));
        }
        QCOMPARE(ui.errors.size(), size_t(2));  // each OK; typing marks the field only
        Type(opening, MM::kRepetitions, "5");
        opening.accept();
        QCOMPARE(opening.result(), int(QDialog::Accepted));
        QCOMPARE(opening.Values().Params().repetitions, 5);
    }

    void cleanAsksOnceAndPreviewsTheInvertedImage()
    {
        // A white image with one dark spot: the detector finds a white background.
        const CImage light = MakeGrey(9, 9, [](int x, int y) { return x == 4 && y == 4 ? 0 : 255; });
        {
            FakeUserInterface ui;
            ui.answers = {true, false};  // a white background, not inverted
            CCleanDlg dlg;
            QVERIFY(!dlg.Open(light));
            QCOMPARE(ui.errors, std::vector<std::string>{"Please invert your image before cleaning.  Clean aborted."});
        }
        FakeUserInterface ui;
        CCleanDlg dlg;
        QVERIFY(dlg.Open(light));
        QCOMPARE(ui.questions, (std::vector<std::string>{"Detected DARK objects on a WHITE background.\nIs this correct?",
                                                         "Clean is designed to work on images with light objects\n"
                                                         "on a black background.  Invert image?"}));
        QCOMPARE(qobject_cast<QComboBox*>(dlg.Control(CleanDialogModel::kMaskSize))->currentText(), QString("3"));
        QCOMPARE(Text(dlg, CleanDialogModel::kSignificance), QString("20"));
        QCOMPARE(Text(dlg, CleanDialogModel::kClutter), QString("150"));
        Type(dlg, CleanDialogModel::kClutter, "20656");
        QCOMPARE(dlg.FieldMessage(), QString("Please enter an integer between 0 and 20655."));
        QVERIFY(ui.errors.empty());
        Type(dlg, CleanDialogModel::kClutter, "100");
        QVERIFY(!dlg.MarkedField());
        Choose(dlg, CleanDialogModel::kMaskSize, 1);
        QCOMPARE(ui.questions.size(), size_t(2));

        CImage expected = MakeGrey(9, 9, [](int x, int y) { return x == 4 && y == 4 ? 255 : 0; });
        expected.SetUpperLeft(2, 2, false);
        expected.SetLowerRight(6, 6, false);
        QCOMPARE(expected.Clean(5, 100, 20, 0), 0);
        QVERIFY(SamePixelsAs(dlg.Values().PreviewCopy(), expected));
        QVERIFY(PictureShowsPreview(dlg));
    }

private:
    static bool SamePixelsAs(const CImage& a, const CImage& b)
    {
        return a.width == b.width && a.height == b.height && a.pixelValueArray.size() == b.pixelValueArray.size() &&
               std::equal(a.pixelValueArray.data(), a.pixelValueArray.data() + a.pixelValueArray.size(),
                          b.pixelValueArray.data());
    }
};

NUVAK_GUI_TEST(TestPreviewDialogs)
#include "PreviewDialogsTest.moc"
