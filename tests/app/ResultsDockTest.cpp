// The Results window driven as a user would: opened by Find Objects' Go and
// by File > Open Results, sorted by header clicks, copied, saved, rows
// deleted and brought back with the keys, F1 and a refused file.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <fstream>

#include "DialogDriving.h"
#include "Workbench.h"
#include "app/ResultsDock.h"
#include "app/ResultsTab.h"
#include "dialogs/FindObjectsPages.h"
#include "dialogs/FindObjectsPropertySheet.h"
#include "dialogs/HelpWindow.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

const std::string kResults = "#id,x,y,area\r\n1,12.5,7.0,9\r\n2,3.0,40.5,10\r\n3,100.0,-2.0,4\r\n";

// The table's first column in view order.
QStringList Numbers(CResultsTab& tab)
{
    QStringList numbers;
    for (int row = 0; row < tab.Table().RowCount(); ++row)
        numbers << QString::fromStdString(tab.Table().Text(row, 0));
    return numbers;
}

void ClickHeader(QTableView* view, int column)
{
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// The workbench with the results file open in the window, its table focused.
CResultsTab* OpenWritten(Workbench& w, const TempDir& dir)
{
    const std::string path = dir.path("objects.dat");
    WriteBytes(path, std::vector<std::uint8_t>(kResults.begin(), kResults.end()));
    w.frame().askResultsPath = [&] { return QString::fromStdString(path); };
    w.frame().show();
    w.frame().activateWindow();
    if (!w.frame().OnCommand(cmd::OpenResults)) return nullptr;
    CResultsTab* tab = w.frame().ResultsDock()->CurrentTab();
    if (tab) tab->View()->setFocus();
    return tab;
}

}  // namespace

class TestResultsDock : public QObject {
    Q_OBJECT
private slots:
    void opensAfterFindObjects()
    {
        Workbench w;
        w.doc().image = MakeGrey(16, 8, [](int x, int y) { return (x < 4 || x > 8) && y > 1 && y < 6 ? 200 : 0; });
        TempDir dir;
        const std::string path = dir.path("objects.dat");
        QVERIFY(w.frame().ResultsDock()->isHidden());
        OnNextDialog<CFindObjectsPropertySheet>([&](CFindObjectsPropertySheet& sheet) {
            sheet.next();
            sheet.next();
            sheet.OutputFilePage()->FileEdit()->setText(QString::fromStdString(path));
            sheet.OutputFilePage()->GoButton()->click();
            sheet.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::FindObjects));
        CResultsDock& dock = *w.frame().ResultsDock();
        QVERIFY(!dock.isHidden());
        QCOMPARE(dock.TabCount(), 1);
        QCOMPARE(dock.CurrentTab()->Table().RowCount(), 2);
        QCOMPARE(dock.CurrentTab()->Table().ResultsFileText(), FileText(path));
        QCOMPARE(dock.windowTitle(), QString("Results - objects.dat (%1)").arg(QString::fromStdString(w.doc().GetTitle())));
        // The same file again reuses its tab.
        QVERIFY(dock.OpenFile(QString::fromStdString(path)));
        QCOMPARE(dock.TabCount(), 1);
        // A recipe's Find Objects step opens its file too.
        const std::string recipe = dir.path("r.nrcp");
        std::ofstream(recipe) << "nuvak recipe 1\n--op \"Find Objects\" --background 0 --results " << dir.path("again.dat")
                              << "\n";
        w.frame().askRecipeOpenPath = [&] { return QString::fromStdString(recipe); };
        QVERIFY(w.frame().OnCommand(cmd::ApplyRecipe));
        QCOMPARE(dock.TabCount(), 2);
        QCOMPARE(dock.Tabs()->tabText(1), QString("again.dat"));
    }

    void headerClicksSortThenReverse()
    {
        Workbench w;
        TempDir dir;
        CResultsTab* tab = OpenWritten(w, dir);
        QVERIFY(tab);
        ClickHeader(tab->View(), 1);  // x: 3.0 < 12.5 < 100.0, not as text
        QCOMPARE(Numbers(*tab), QStringList({"2", "1", "3"}));
        ClickHeader(tab->View(), 1);
        QCOMPARE(Numbers(*tab), QStringList({"3", "1", "2"}));
        QCOMPARE(tab->View()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        // The selection follows its rows through a sort.
        tab->SelectIds({1}, false);
        ClickHeader(tab->View(), 3);
        QCOMPARE(tab->View()->selectionModel()->selectedRows().value(0).row(), 2);
        QCOMPARE(tab->Table().SelectedIds(), std::set<int>{1});
    }

    void keysCopyDeleteUndoAndHelp()
    {
        Workbench w;
        TempDir dir;
        CResultsTab* tab = OpenWritten(w, dir);
        QVERIFY(tab);
        QTableView* view = tab->View();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("#id\tx\ty\tarea\n1\t12.5\t7.0\t9\n2\t3.0\t40.5\t10\n3\t100.0\t-2.0\t4\n"));
        view->selectRow(1);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("#id\tx\ty\tarea\n2\t3.0\t40.5\t10\n"));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(Numbers(*tab), QStringList({"1", "3"}));
        QCOMPARE(w.frame().ResultsDock()->Tabs()->tabText(0), QString("objects.dat*"));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Numbers(*tab), QStringList({"1", "2", "3"}));
        QVERIFY(!w.doc().CanUndo());  // the image's Undo was not reached
        QTest::keyClick(view, Qt::Key_F1);
        auto* help = w.frame().ResultsDock()->findChild<CHelpWindow*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Anchor(), QString("results"));
        QVERIFY(help->Browser()->toPlainText().contains("Results window"));
    }

    void savesCsvAndTheResultsFormat()
    {
        Workbench w;
        TempDir dir;
        CResultsTab* tab = OpenWritten(w, dir);
        QVERIFY(tab);
        CResultsDock& dock = *w.frame().ResultsDock();
        tab->SortBy(3, false);
        tab->SelectIds({0}, false);
        tab->DeleteSelected();
        const struct {
            bool csv;
            const char* name;
            std::string bytes;
        } cases[] = {
            {true, "kept", "#id,x,y,area\r\n3,100.0,-2.0,4\r\n2,3.0,40.5,10\r\n"},
            {false, "kept.dat", "#id,x,y,area\r\n3,100.0,-2.0,4\r\n2,3.0,40.5,10\r\n"},
        };
        for (const auto& c : cases) {
            dock.askSavePath = [&](const QString&, bool* csv) {
                *csv = c.csv;
                return QString::fromStdString(dir.path(c.name));
            };
            QVERIFY(dock.SaveAs());
            QCOMPARE(FileText(dir.path(c.csv ? std::string(c.name) + ".csv" : c.name)), c.bytes);
            QCOMPARE(dock.Tabs()->tabText(0), QString(c.csv ? "kept.csv" : "kept.dat"));
        }
        QCOMPARE(FileText(dir.path("objects.dat")), kResults);  // the file read is never changed
    }

    void refusedFileIsExplained()
    {
        Workbench w;
        TempDir dir;
        WriteBytes(dir.path("notes.dat"), {'h', 'i', '\n'});
        QString shown;
        w.frame().ResultsDock()->showMessage = [&](const QString& text) { shown = text; };
        QVERIFY(!w.frame().ResultsDock()->OpenFile(QString::fromStdString(dir.path("notes.dat"))));
        QVERIFY(shown.startsWith("This is neither an object results file nor a series' combined table"));
        QCOMPARE(w.frame().ResultsDock()->TabCount(), 0);
    }
};

NUVAK_GUI_TEST(TestResultsDock)
#include "ResultsDockTest.moc"
