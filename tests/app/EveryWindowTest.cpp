// Every menu, dialog and wizard page: no two controls share a mnemonic, and
// each window fits the screen (run again on the 607 x 341 that 1366 x 768
// leaves at QT_SCALE_FACTOR=1.5 with QT_FONT_DPI=144).
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWizard>
#include <functional>
#include <map>

#include "DialogDriving.h"
#include "SeriesWizardDriving.h"
#include "Workbench.h"
#include "app/AboutDlg.h"
#include "dialogs/BoundDlg.h"
#include "dialogs/BrightnessSliceDlg.h"
#include "dialogs/CleanDlg.h"
#include "dialogs/CustomFilterDlg.h"
#include "dialogs/FftSheet.h"
#include "dialogs/FilterDlg.h"
#include "dialogs/FindObjectsPropertySheet.h"
#include "dialogs/HistogramDlg.h"
#include "dialogs/ImageCalculationsDlg.h"
#include "dialogs/JpegQualityDlg.h"
#include "dialogs/MorphologyDlg.h"
#include "dialogs/ProfileDlg.h"
#include "dialogs/RotateDlg.h"
#include "dialogs/ScaleDlg.h"
#include "dialogs/SetScaleDlg.h"
#include "dialogs/SixteenBitLevelsDlg.h"
#include "dialogs/ThresholdDlg.h"
#include "document/CommandIds.h"
#include "forms/ImageCalculations.h"
#include "forms/SeriesParameterFields.h"
#include "support/TestImages.h"

namespace {

// "A / B" for each pair of texts that share a mnemonic.
QStringList Clashes(const QStringList& texts)
{
    std::map<QString, QString> seen;
    QStringList clashes;
    for (const QString& text : texts) {
        const QString key = QKeySequence::mnemonic(text).toString();
        if (key.isEmpty()) continue;
        if (const auto it = seen.find(key); it != seen.end()) clashes << it->second + " / " + text;
        else seen[key] = text;
    }
    return clashes;
}

// The texts with mnemonics that window shows now.
QStringList ShownTexts(QWidget& window)
{
    QStringList texts;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) texts << label->text();
        else if (auto* group = qobject_cast<QGroupBox*>(widget); group && group->isCheckable()) texts << group->title();
    }
    return texts;
}

// The window as shown now: no clash, and (unless told not to) it fits the screen.
void CheckShown(QWidget& window, const QString& name, bool fits = true)
{
    window.show();
    QApplication::processEvents();
    const QStringList clashes = Clashes(ShownTexts(window));
    if (!clashes.isEmpty()) QFAIL(qPrintable(name + ": " + clashes.join(", ")));
    // Less a window manager's title bar.
    const QSize room = window.screen()->availableGeometry().size() - QSize(0, 8);
    const QSize size = window.size().expandedTo(window.minimumSize());
    if (fits && (size.width() > room.width() || size.height() > room.height()))
        QFAIL(qPrintable(QString("%1: %2 x %3 does not fit").arg(name).arg(size.width()).arg(size.height())));
}

CImage Photo() { return MakeGrey(640, 480, [](int x, int y) { return (x + y) % 256; }); }

}  // namespace

class TestEveryWindow : public QObject {
    Q_OBJECT
private slots:
    void menusHaveUniqueMnemonics()
    {
        Workbench w;
        // Past nine windows the list is numbered without mnemonics.
        for (int k = 0; k < 11; ++k) w.app.OnCommand(cmd::FileNew);
        // An "&" of a name is shown, not taken for a mnemonic.
        w.doc().SetPathName("/tmp/R&D.bmp");
        QStringList bar;
        for (QAction* action : w.frame().menuBar()->actions()) bar << action->text();
        QCOMPARE(Clashes(bar), QStringList());
        for (QMenu* menu : w.frame().menuBar()->findChildren<QMenu*>()) {
            emit menu->aboutToShow();
            QStringList texts;
            for (QAction* action : menu->actions())
                if (action->isVisible() && !action->isSeparator()) texts << action->text();
            QCOMPARE(Clashes(texts), QStringList());
            if (menu->title() == "&Window") QVERIFY(!texts.filter("R&&D.bmp").isEmpty());
        }
    }

    void dialogsHaveUniqueMnemonicsAndFit()
    {
        Workbench w;
        w.doc().image = Photo();
        const std::vector<std::pair<QString, std::function<QDialog*()>>> dialogs = {
            {"Threshold", [] { auto* d = new CThresholdDlg; d->Open(Photo()); return d; }},
            {"Brightness Slice", [] { auto* d = new CBrightnessSliceDlg; d->Open(Photo()); return d; }},
            {"Bound", [] { auto* d = new CBoundDlg; d->Open(Photo()); return d; }},
            {"Clean", [] { auto* d = new CCleanDlg; d->Open(Photo()); return d; }},
            {"Unsharp Mask", [] { auto* d = new CFilterDlg(6); d->Open(Photo()); return d; }},
            {"Prewitt", [] { auto* d = new CFilterDlg(4); d->Open(Photo()); return d; }},
            {"Opening", [] { auto* d = new CMorphologyDlg(2); d->Open(Photo()); return d; }},
            {"Rotate", [] { return new CRotateDlg; }},
            {"Scale", [] { return new CScaleDlg; }},
            {"Custom Filter", [] { return new CCustomFilterDlg; }},
            {"Image Calculations", [] {
                 static ImageCalculationsDialogModel model;
                 model.operandTitles = {"one.png", "two.png"};
                 return new CImageCalculationsDlg(model);
             }},
            {"Set Scale", [] {
                 static SetScaleModel model(CCalibration{}, 10);
                 return new CSetScaleDlg(model);
             }},
            {"JPEG Quality", [] { return new CJpegQualityDlg(95); }},
            {"16-bit Levels", [] { return new CSixteenBitLevelsDlg(nullptr); }},
            {"About", [] { return new CAboutDlg; }},
            {"Histogram", [&w] { auto* d = new CHistogramDlg(&w.frame()); d->OnInitDialog(); return d; }},
            {"Profile", [&w] {
                 auto* d = new CProfileDlg(&w.frame(), {0, 5}, {300, 200}, 33.7, "pixels");
                 d->OnInitDialog();
                 return d;
             }},
        };
        for (const auto& [name, make] : dialogs) {
            std::unique_ptr<QDialog> dialog(make());
            CheckShown(*dialog, name);
        }
    }

    void wizardPagesHaveUniqueMnemonicsAndFit()
    {
        Workbench w;
        w.doc().image = Photo();
        CFindObjectsPropertySheet objects(&w.doc());
        objects.show();
        for (int page = 0; page < 3; ++page, objects.next()) CheckShown(objects, QString("Find Objects page %1").arg(page));

        OnNextDialog<CFftSheet>([](CFftSheet& sheet) {
            for (int page = 0; page < 3; ++page, sheet.next()) CheckShown(sheet, QString("Frequency page %1").arg(page));
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));

        for (const char* operation : {"Opening", "Unsharp Mask", "Clean", "Scale", "Find Objects", "Bound", "Threshold"}) {
            SeriesWizard series({Photo()});
            CheckShown(*series.sheet, "Series Select Files");
            series.toOperations();
            CheckShown(*series.sheet, "Series Select Operation");
            series.pick(operation);
            series.type(SeriesPage::ObjectParams, SeriesObjectFields::kFileName, "objects.dat");
            for (int step = 0; step < 3; ++step) {
                series.sheet->Next();
                CheckShown(*series.sheet, QString("Series %1, page %2").arg(operation).arg(int(series.sheet->CurrentPage())));
            }
        }
    }
};

NUVAK_GUI_TEST(TestEveryWindow)
#include "EveryWindowTest.moc"
