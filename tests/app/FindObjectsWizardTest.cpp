// The Find Objects wizard driven page by page through its command: the
// results file and box, the outline colour, and the document afterwards.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <filesystem>

#include "DialogDriving.h"
#include "Workbench.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/ColorButton.h"
#include "dialogs/FindObjectsPages.h"
#include "dialogs/FindObjectsPropertySheet.h"
#include "document/CommandIds.h"
#include "series/OperationStep.h"
#include "support/TestImages.h"

namespace {

using Sheet = CFindObjectsPropertySheet;

const char* const kAllColumns =
    "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,gMin,gMax,gAvg,gDev\r\n";

// The 10 x 4 rectangle of level 200 at columns 3..12, rows 2..5 on black.
void ShowRectangle(Workbench& w)
{
    w.doc().image = MakeGrey(16, 8, [](int x, int y) { return x >= 3 && x <= 12 && y >= 2 && y <= 5 ? 200 : 0; });
    w.doc().UpdateAllViews();
}

// Runs the command; act works the wizard, which is cancelled if act leaves it open.
void RunWizard(Workbench& w, const std::function<void(Sheet&)>& act)
{
    bool opened = false;
    OnNextDialog<Sheet>([&](Sheet& sheet) {
        opened = true;
        act(sheet);
    });
    QVERIFY(w.frame().OnCommand(cmd::FindObjects));
    QVERIFY(opened);
}

// Next to the metrics page, boxes set as checked says, Next, the file typed.
CFindObjectsOutputFilePage& ToOutputPage(Sheet& sheet, bool checked, const std::string& path)
{
    sheet.next();
    for (const MetricBox& box : MetricBoxes()) sheet.MetricsPage()->Box(box.label)->setChecked(checked);
    sheet.next();
    CFindObjectsOutputFilePage& page = *sheet.OutputFilePage();
    page.FileEdit()->setText(QString::fromStdString(path));
    return page;
}

}  // namespace

class TestFindObjectsWizard : public QObject {
    Q_OBJECT
private slots:
    void pagesShowTheirTexts()
    {
        Workbench w;
        Sheet sheet(&w.doc());
        QCOMPARE(sheet.windowTitle(), QString("Find Objects"));
        QVERIFY(sheet.options() & QWizard::HaveHelpButton);
        QCOMPARE(sheet.page(Sheet::kIntro)->title(), QString("Find Objects"));
        QCOMPARE(sheet.page(Sheet::kMetrics)->title(), QString("Specifying Object Metrics"));
        QCOMPARE(sheet.page(Sheet::kOutputFile)->title(), QString("Specifying Output File"));
        for (const MetricBox& box : MetricBoxes()) QVERIFY2(sheet.MetricsPage()->Box(box.label)->isChecked(), box.label);
        CFindObjectsOutputFilePage& page = *sheet.OutputFilePage();
        QCOMPARE(page.BrowseButton()->text(), QString("B&rowse..."));
        QCOMPARE(page.GoButton()->text(), QString("&Go"));
        QList<QLabel*> labels = sheet.findChildren<QLabel*>();
        QStringList texts;
        for (QLabel* label : labels) texts << label->text();
        for (const char* text :
             {"This wizard will guide you through the options for finding objects in your images.",
              "Choose the metrics to include (centroid is always written):", "Outline color", "Output filename"})
            QVERIFY2(texts.contains(text), text);

        // Help opens the manual at its section.
        sheet.button(QWizard::HelpButton)->click();
        QVERIFY(sheet.findChild<CHelpWindow*>() && sheet.findChild<CHelpWindow*>()->isVisible());
        QVERIFY(w.user.notices.empty());
    }

    // Go writes the columns of the checked boxes; the box shows commas as tabs.
    void goWritesTheCheckedColumns()
    {
        const struct {
            bool checked;
            std::string file;
        } cases[] = {
            {false, "#id,x,y\r\n1,7.5,3.5\r\n"},
            {true, std::string(kAllColumns) + "1,7.5,3.5,40,3,2,12,5,24.0,0.3,9.0,3.0,F,24,0.0,0.9,200,200,200.0,0.0\r\n"},
        };
        for (const auto& c : cases) {
            Workbench w;
            ShowRectangle(w);
            TempDir dir;
            const std::string path = dir.path("objects.dat");
            RunWizard(w, [&](Sheet& sheet) {
                CFindObjectsOutputFilePage& page = ToOutputPage(sheet, c.checked, path);
                page.GoButton()->click();
                QCOMPARE(FileText(path), c.file);
                QString shown = QString::fromStdString(c.file).replace(',', '\t').replace("\r\n", "\n");
                QCOMPARE(page.ResultsBox()->toPlainText(), shown);
                QCOMPARE(w.user.questions,
                         std::vector<std::string>{"Detected LIGHT objects on a BLACK background.\nIs this correct?"});
                sheet.accept();
            });
            QCOMPARE(w.doc().image.ObjectCount(), 1);
            QVERIFY(w.doc().IsModified());
            QVERIFY(!w.doc().CanUndo());  // no snapshot: the pixels are untouched
        }
    }

    // The first page's options reach the results; a bad area keeps the page.
    void firstPageOptionsReachTheResults()
    {
        Workbench w;
        ShowRectangle(w);
        TempDir dir;
        const std::string path = dir.path("objects.dat");
        RunWizard(w, [&](Sheet& sheet) {
            auto* intro = qobject_cast<CFindObjectsIntroPage*>(sheet.page(Sheet::kIntro));
            QVERIFY(intro);
            intro->MinArea()->setText("-1");
            QCOMPARE(intro->MinArea()->toolTip(), QString("Please enter an area of 0 or more."));
            sheet.next();
            QCOMPARE(sheet.currentId(), int(Sheet::kIntro));
            QCOMPARE(w.user.errors.back(), std::string("Please enter an area of 0 or more."));
            intro->MinArea()->setText("41");
            QCOMPARE(intro->MinArea()->toolTip(), QString());
            intro->MinMajor()->setText("2");
            intro->Option("End the results with a summary line")->click();
            CFindObjectsOutputFilePage& page = ToOutputPage(sheet, false, path);
            page.GoButton()->click();
            QCOMPARE(FileText(path), std::string("#id,x,y\r\n# objects: 0, total area: 0, mean area: 0.0\r\n"));
            sheet.accept();
        });
        // The history, and so a recipe, repeats the search with them: the file by name, the background
        // confirmed, the area in pixels.
        QCOMPARE(StepCommandLine(w.doc().History().Steps().back()),
                 std::string("--op \"Find Objects\" --results objects.dat --metrics 0 --background 0 --min-area 41px "
                             "--summary --min-major 2"));
    }

    // Cancelling after Go keeps the objects and their colour, drawn in the view.
    void cancelAfterGoKeepsObjectsAndColour()
    {
        Workbench w;
        ShowRectangle(w);
        TempDir dir;
        RunWizard(w, [&](Sheet& sheet) {
            sheet.next();
            CFindObjectsMetricsPage& metrics = *sheet.MetricsPage();
            QCOMPARE(metrics.ColorButton()->Color(), QColor(255, 0, 0));
            QColor offered;
            metrics.chooseColor = [&](const QColor& initial) -> std::optional<QColor> {
                offered = initial;
                return QColor(0, 255, 0);
            };
            metrics.ColorButton()->click();
            QCOMPARE(offered, QColor(255, 0, 0));
            QCOMPARE(metrics.ColorButton()->Color(), QColor(0, 255, 0));
            sheet.next();
            sheet.OutputFilePage()->FileEdit()->setText(QString::fromStdString(dir.path("a.dat")));
            sheet.OutputFilePage()->GoButton()->click();
            sheet.reject();
        });
        QCOMPARE(w.doc().image.ObjectCount(), 1);
        QCOMPARE(w.doc().image.objectColor, 0x00FF00u);
        QVERIFY(w.doc().IsModified());
        // The trace starts at the rectangle's top-left pixel.
        const QImage shot = w.view().viewport()->grab().toImage();
        QCOMPARE(shot.pixel(3, 2), qRgb(0, 255, 0));
        QCOMPARE(shot.pixel(4, 4), qRgb(200, 200, 200));

        // The next run starts from the image's colour.
        RunWizard(w, [&](Sheet& sheet) {
            sheet.next();
            QCOMPARE(sheet.MetricsPage()->ColorButton()->Color(), QColor(0, 255, 0));
        });
    }

    void goWithoutFileNameAsksForOne()
    {
        Workbench w;
        ShowRectangle(w);
        RunWizard(w, [&](Sheet& sheet) {
            CFindObjectsOutputFilePage& page = ToOutputPage(sheet, true, "");
            page.GoButton()->setFocus();
            page.GoButton()->click();
            QCOMPARE(w.user.errors, std::vector<std::string>{"Please enter an output file"});
            QCOMPARE(sheet.focusWidget(), page.FileEdit());
            QVERIFY(w.user.questions.empty());
            QCOMPARE(page.ResultsBox()->toPlainText(), QString());
        });
        QCOMPARE(w.doc().image.ObjectCount(), 0);
        QVERIFY(!w.doc().IsModified());  // nothing was searched
    }

    // Finish before Go asks; a bare name is written beside the image as a ".dat" file.
    void finishWithoutGoAsksAndBareNamesGoBesideTheImage()
    {
        Workbench w;
        ShowRectangle(w);
        TempDir dir;
        w.doc().SetPathName(dir.path("shot.bmp"));
        w.user.answers = {false};
        RunWizard(w, [&](Sheet& sheet) {
            CFindObjectsOutputFilePage& page = ToOutputPage(sheet, true, "objects");
            sheet.accept();
            QCOMPARE(w.user.questions, std::vector<std::string>{"Nothing has been measured: Go finds the objects and "
                                                                "writes the results file.\nFinish without measuring?"});
            QCOMPARE(sheet.currentPage(), &page);
            page.GoButton()->click();
            QCOMPARE(page.FileEdit()->text(), QString::fromStdString(dir.path("objects.dat")));
            QVERIFY(std::filesystem::exists(dir.path("objects.dat")));
            sheet.accept();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        });
        QCOMPARE(w.user.questions.size(), size_t(2));  // Finish's, then the background's
    }

    void searchFailureShowsTheImageText()
    {
        Workbench w;
        ShowRectangle(w);
        TempDir dir;
        const std::string path = dir.path("missing/objects.dat");
        RunWizard(w, [&](Sheet& sheet) {
            ToOutputPage(sheet, true, path).GoButton()->click();
            QCOMPARE(w.user.errors, std::vector<std::string>{path + " could not be opened for output."});
        });
        QCOMPARE(w.doc().image.objectColor, 255u);
    }

    // A results file gone before it is read back is reported in the box.
    void unreadableResultsAreReported()
    {
        Workbench w;
        ShowRectangle(w);
        TempDir dir;
        const std::string path = dir.path("objects.dat");
        RunWizard(w, [&](Sheet& sheet) {
            CFindObjectsOutputFilePage& page = ToOutputPage(sheet, true, path);
            w.doc().SetViewsHandler([&] { std::filesystem::remove(path); });
            page.GoButton()->click();
            QCOMPARE(page.ResultsText(), "Could not open " + path + "\r\nNo results available");
            QCOMPARE(page.ResultsBox()->toPlainText(),
                     QString::fromStdString("Could not open " + path + "\nNo results available"));
            // Coming back to the page clears the results.
            sheet.back();
            sheet.next();
            QCOMPARE(page.ResultsBox()->toPlainText(), QString());
        });
        QCOMPARE(w.doc().image.ObjectCount(), 1);
    }

    void browseFillsTheFileName()
    {
        Workbench w;
        RunWizard(w, [&](Sheet& sheet) {
            CFindObjectsOutputFilePage& page = ToOutputPage(sheet, true, "");
            std::optional<FileChoice> asked;
            page.chooseFile = [&](const FileChoice& choice) {
                asked = choice;
                return QString("/data/run/objects.dat");
            };
            page.BrowseButton()->click();
            QVERIFY(asked);
            QCOMPARE(asked->filter, QString("Data files (*.dat)"));
            QCOMPARE(asked->suffix, QString("dat"));
            QVERIFY(asked->save);
            QCOMPARE(page.FileEdit()->text(), QString("/data/run/objects.dat"));
            // Cancelling the file dialog keeps the name.
            page.chooseFile = [](const FileChoice&) { return QString(); };
            page.BrowseButton()->click();
            QCOMPARE(page.FileEdit()->text(), QString("/data/run/objects.dat"));
        });
    }

    void cancelWithoutGoLeavesTheDocumentUnmodified()
    {
        Workbench w;
        QVERIFY(!w.doc().IsModified());
        RunWizard(w, [](Sheet& sheet) { sheet.reject(); });
        QVERIFY(!w.doc().IsModified());
        QCOMPARE(w.child()->windowTitle(), QString("Image1"));
        QVERIFY(!w.doc().CanUndo());
    }
};

NUVAK_GUI_TEST(TestFindObjectsWizard)
#include "FindObjectsWizardTest.moc"
