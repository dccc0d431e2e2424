// Recipes in the workbench: steps done by hand are recorded, shown in View >
// History, saved, and replayed by the CLI into the very same file; Apply
// Recipe runs a recipe and refuses a bad one; Undo drops the last step; the
// series wizard runs a recipe as the CLI does.
#include <QTableWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogDriving.h"
#include "MouseEvents.h"
#include "SeriesWizardDriving.h"
#include "Workbench.h"
#include "app/HistoryDock.h"
#include "dialogs/FftProcessingDlg.h"
#include "dialogs/FftSheet.h"
#include "dialogs/FindObjectsPages.h"
#include "dialogs/FindObjectsPropertySheet.h"
#include "dialogs/HistogramDlg.h"
#include "dialogs/SeriesConfirmPage.h"
#include "document/CommandIds.h"
#include "forms/FilterDialogModel.h"
#include "forms/RotateDialogModel.h"
#include "series/SeriesPages.h"
#include "support/CliRun.h"
#include "support/TestImages.h"

namespace {

// Bright squares on a dark ramp, 64 x 32 so that the spectrum needs no resizing.
QString Squares(const TempDir& dir)
{
    return WriteBitmap(dir, "in.bmp", MakeGrey(64, 32, [](int x, int y) {
                           return (x / 8 + y / 8) % 3 == 0 ? 200 : 30 + x;
                       }));
}

std::string Text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

class TestRecipe : public QObject {
    Q_OBJECT
private slots:
    void handWorkReplaysIntoTheSameFile()
    {
        TempDir dir;
        Workbench w({Squares(dir)});
        w.doc().image.SetUpperLeft(2, 3, false);
        w.doc().image.SetLowerRight(40, 20, false);
        OnNextDialog<COperationDlg>([](COperationDlg& dlg) {
            Choose(dlg, FilterDialogModel::kSize, 1);
            dlg.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::LowPass));
        QVERIFY(w.frame().OnCommand(cmd::SelectAll));
        QVERIFY(w.frame().OnCommand(cmd::Invert));
        WhenModal<CHistogramDlg>([](CHistogramDlg& dialog) {
            dialog.Button("&Stretch ")->click();
            dialog.Button("OK")->click();
        });
        QVERIFY(w.frame().OnCommand(cmd::Histogram));
        OnNextDialog<CFftSheet>([](CFftSheet& sheet) {
            sheet.next();
            sheet.next();
            sheet.ProcessingPage()->ApplyButton()->click();
            sheet.button(QWizard::FinishButton)->click();
        });
        QVERIFY(w.frame().OnCommand(cmd::FrequencyDomain));
        OnNextDialog<COperationDlg>([](COperationDlg& dlg) {
            Type(dlg, RotateDialogModel::kDegrees, "30");
            dlg.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::Rotate));
        const std::string results = dir.path("objects.dat");
        OnNextDialog<CFindObjectsPropertySheet>([&](CFindObjectsPropertySheet& sheet) {
            sheet.next();
            sheet.next();
            sheet.OutputFilePage()->FileEdit()->setText(QString::fromStdString(results));
            sheet.OutputFilePage()->GoButton()->click();
            sheet.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::FindObjects));

        QVERIFY(w.frame().OnCommand(cmd::ViewHistory));
        QVERIFY(w.frame().HistoryDock()->isVisible());
        const QStringList lines = w.frame().HistoryDock()->Lines();
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.mid(0, 3), (QStringList{"--op \"Low Pass Filter\" --size 5 --aoi 2,3,40,20", "--op Invert",
                                               "--op Stretch"}));
        QCOMPARE(lines[3], QString("--op \"FFT Filter\" --filter low --slider 100"));
        QCOMPARE(lines[4], QString("--op Rotate --degrees 30 --interpolation bilinear"));
        // The results file by name, the background that was confirmed.
        QCOMPARE(lines[5], QString("--op \"Find Objects\" --results objects.dat --metrics 2047 --background 0"));

        const std::string saved = dir.path("by-hand.bmp");
        QVERIFY(w.doc().OnSaveDocument(saved));
        const std::string found = Text(results);
        QString suggested;
        w.frame().askRecipeSavePath = [&](const QString& offered) {
            suggested = offered;
            return QString::fromStdString(dir.path("chain"));
        };
        QVERIFY(w.frame().OnCommand(cmd::SaveRecipe));
        QCOMPARE(suggested, QString::fromStdString(dir.path("by-hand.nrcp")));
        std::string expected = "nuvak recipe 1\n";
        for (const QString& line : lines) expected += line.toStdString() + "\n";
        QCOMPARE(Text(dir.path("chain.nrcp")), expected);

        // The replay writes its results beside OUT, leaving those made by hand.
        std::filesystem::create_directory(dir.path("replay"));
        const std::string replayed = dir.path("replay/replayed.bmp");
        std::filesystem::remove(results);
        std::ofstream(results) << "by hand";
        QCOMPARE(RunTool({"run", "--recipe", dir.path("chain.nrcp"), dir.path("in.bmp"), replayed}).status, 0);
        QVERIFY(ReadBytes(replayed) == ReadBytes(saved));
        QCOMPARE(Text(dir.path("replay/objects.dat")), found);
        QCOMPARE(Text(results), std::string("by hand"));
    }

    void applyRecipeRunsEachStepAsOneUndoStep()
    {
        TempDir dir;
        Workbench w({Squares(dir)});
        const std::string recipe = dir.path("r.nrcp");
        std::ofstream(recipe) << "nuvak recipe 1\n--op Invert --aoi 0,0,9,9\n# then\n--op \"Flip Vertical\"\n";
        w.frame().askRecipeOpenPath = [&] { return QString::fromStdString(recipe); };
        QVERIFY(w.frame().OnCommand(cmd::ApplyRecipe));
        QCOMPARE(w.frame().HistoryDock()->Lines(),
                 (QStringList{"--op Invert --aoi 0,0,9,9", "--op \"Flip Vertical\""}));
        QCOMPARE(w.doc().image.pixelValueArray[31][0].red, 255 - 200);
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QCOMPARE(w.frame().HistoryDock()->Lines(), QStringList{"--op Invert --aoi 0,0,9,9"});
        QCOMPARE(w.doc().image.pixelValueArray[0][0].red, 255 - 200);

        // Saving leaves out what needs a second image or the clipboard, and says so.
        w.doc().RecordEntry(HistoryEntry{{}, "Paste"});
        w.frame().askRecipeSavePath = [&](const QString&) { return QString::fromStdString(dir.path("kept.nrcp")); };
        QVERIFY(w.frame().OnCommand(cmd::SaveRecipe));
        QCOMPARE(w.user.notices, std::vector<std::string>{LeftOutText({"Paste"})});
        QCOMPARE(Text(dir.path("kept.nrcp")), std::string("nuvak recipe 1\n--op Invert --aoi 0,0,9,9\n"));

        std::ofstream(recipe) << "nuvak recipe 1\n--op Invert\n--op Sharpen\n";
        QVERIFY(w.frame().OnCommand(cmd::ApplyRecipe));
        QCOMPARE(w.user.errors, std::vector<std::string>{recipe + ":3: unknown operation \"Sharpen\""});
        QCOMPARE(w.frame().HistoryDock()->Lines(),
                 (QStringList{"--op Invert --aoi 0,0,9,9", "Paste (not replayable on one image)"}));

        QVERIFY(w.frame().OnCommand(cmd::FileNew));
        QVERIFY(w.frame().HistoryDock()->Lines().isEmpty());
        QVERIFY(!w.frame().Action(cmd::SaveRecipe)->isEnabled());

        // Images a step makes beside its result open as documents, as the command's do.
        std::ofstream(recipe) << "nuvak recipe 1\n--op Comb\n";
        const int before = w.frame().Children().size();
        QVERIFY(w.frame().OnCommand(cmd::ApplyRecipe));
        const QStringList titles = w.titles();
        QCOMPARE(titles.size(), before + 2);
        QVERIFY(titles[before].endsWith(" - EVEN*") && titles[before + 1].endsWith(" - ODD*"));
    }

    void historyFollowsUndoRedoAndClicks()
    {
        TempDir dir;
        Workbench w({Squares(dir)});
        const CImage original = w.doc().image;
        QVERIFY(w.frame().OnCommand(cmd::Invert));
        const CImage inverted = w.doc().image;
        QVERIFY(w.frame().OnCommand(cmd::FlipVertical));
        // A cancelled dialog keeps Invert's and Flip's steps.
        OnNextDialog<COperationDlg>([](COperationDlg& dlg) { dlg.reject(); });
        QVERIFY(w.frame().OnCommand(cmd::Threshold));
        QCOMPARE(w.child()->windowTitle(), QString("in.bmp*"));
        QVERIFY(w.frame().OnCommand(cmd::ViewHistory));
        CHistoryDock& dock = *w.frame().HistoryDock();
        QTableWidget& list = *dock.List();
        const auto click = [&](int row) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row, 0)).center());
            QApplication::processEvents();
        };
        const struct {
            std::function<void()> act;
            QStringList applied, undone;
            const CImage* image;  // null: not checked
        } steps[] = {
            {[&] { QVERIFY(w.frame().OnCommand(cmd::Undo)); }, {"--op Invert"}, {"--op \"Flip Vertical\""},
             &inverted},
            {[&] { QVERIFY(w.frame().OnCommand(cmd::Undo)); }, {}, {"--op Invert", "--op \"Flip Vertical\""},
             &original},
            {[&] { click(2); }, {"--op Invert", "--op \"Flip Vertical\""}, {}, nullptr},
            {[&] { click(0); }, {}, {"--op Invert", "--op \"Flip Vertical\""}, &original},
            {[&] { QVERIFY(w.frame().OnCommand(cmd::Redo)); }, {"--op Invert"}, {"--op \"Flip Vertical\""},
             &inverted},
        };
        for (const auto& s : steps) {
            s.act();
            QCOMPARE(dock.Lines(), s.applied);
            QCOMPARE(dock.UndoneLines(), s.undone);
            QCOMPARE(dock.CurrentRow(), int(s.applied.size()));
            if (s.image) QVERIFY(SameImage(w.doc().image, *s.image));
        }
        // Save Recipe writes the steps up to the current one.
        w.frame().askRecipeSavePath = [&](const QString&) { return QString::fromStdString(dir.path("up.nrcp")); };
        QVERIFY(w.frame().OnCommand(cmd::SaveRecipe));
        QCOMPARE(Text(dir.path("up.nrcp")), std::string("nuvak recipe 1\n--op Invert\n"));

        // A long step is shown whole: wrapped within the dock, and as its tooltip.
        const std::string results = dir.path(std::string(60, 'r') + ".dat");
        OperationStep found{FindOperation("Find Objects"), {}, {}, {}};
        found.params.resultsFile = results;
        w.doc().RecordEntry(HistoryEntry{{found}, {}});
        w.frame().UpdateCommandUI();
        QTableWidgetItem* last = list.item(list.rowCount() - 1, 0);
        QCOMPARE(last->toolTip(), last->text());
        dock.resize(160, 300);
        QTRY_VERIFY(list.visualItemRect(last).width() <= list.viewport()->width());
        QVERIFY(list.visualItemRect(last).height() > 2 * list.fontMetrics().height());
        QCOMPARE(dock.UndoneLines(), QStringList());
    }

    void seriesWizardRunsARecipeLikeTheCli()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1)});
        const std::string recipe = w.sources.path("r.nrcp");
        w.sheet->choosers.recipe = [&](QWidget*) { return QString::fromStdString(recipe); };
        w.toOperations();
        w.pick(kSeriesRecipeEntry);
        std::ofstream(recipe) << "nuvak recipe 1\n--op Erosion --size 4\n";
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), SeriesPage::SelectOperation);
        QCOMPARE(w.user.errors, std::vector<std::string>{recipe + ":2: --size must be 3|5|7|9"});

        std::ofstream(recipe) << "nuvak recipe 1\n--op Invert --aoi 1,1,5,5\n--op Erosion --size 5\n";
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), SeriesPage::Confirmation);
        auto& page = static_cast<CSeriesConfirmPage&>(w.page(SeriesPage::Confirmation));
        QCOMPARE(page.ConfirmationText(), "Requested procedure:\n\tRecipe " + recipe +
                                              "\n\t\t--op Invert --aoi 1,1,5,5"
                                              "\n\t\t--op Erosion --size 5 --direction Omnidirectional"
                                              "\nOutput location:\n\t" + w.out.root().string() +
                                              "\n\nFiles: 2\nA file that cannot be read ends the run.");
        // Each line of the text, every step among them, is laid out whole on
        // one line, however narrow the box.
        w.sheet->show();
        auto* text = qobject_cast<QTextEdit*>(page.Control(CSeriesConfirmPage::kText));
        text->resize(200, 200);
        QVERIFY(text->document()->idealWidth() > text->viewport()->width());
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
            QCOMPARE(block.layout()->lineCount(), 1);
        w.sheet->hide();
        w.click(SeriesPage::Confirmation, CSeriesConfirmPage::kProcess);
        for (int k = 0; k < 2; ++k) {
            const std::string name = "file" + std::to_string(k) + ".bmp";
            const std::string replayed = w.sources.path("cli.bmp");
            QCOMPARE(RunTool({"run", "--recipe", recipe, w.sources.path(name), replayed}).status, 0);
            QVERIFY(ReadBytes(w.out.path(name)) == ReadBytes(replayed));
        }
    }
};

NUVAK_GUI_TEST(TestRecipe)
#include "RecipeTest.moc"
