// Habits of image tools: zoom keys and wheel, Fit to Window, the zoom pane,
// unique mnemonics, window sizes and the read-out leaving with the mouse.
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QLabel>
#include <QShortcut>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>

#include "DialogDriving.h"
#include "Workbench.h"
#include "app/CommandLine.h"
#include "app/CommandTable.h"
#include "app/UndoMemory.h"
#include "app/ParameterCommands.h"
#include "dialogs/CustomFilterDlg.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/HistogramDlg.h"
#include "dialogs/SeriesPropSheet.h"
#include "dialogs/SixteenBitLevelsDlg.h"
#include "dialogs/ThresholdDlg.h"
#include "document/DialogCommands.h"
#include "document/BackupList.h"
#include "document/CommandIds.h"
#include "document/ViewMetrics.h"
#include "support/TestImages.h"

namespace {

void Replace(Workbench& w, CImage image)
{
    w.doc().image = std::move(image);
    w.doc().UpdateAllViews();
}

QString ZoomPane(Workbench& w) { return w.frame().findChild<QLabel*>("zoomPane")->text(); }

void Wheel(CNUVAKView& view, QPoint at, int delta)
{
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
}

// The image point under a viewport point.
QPointF ImagePoint(CNUVAKView& view, QPoint at)
{
    return QPointF(at.x() + view.horizontalScrollBar()->value(), at.y() + view.verticalScrollBar()->value()) /
           view.ZoomFactor();
}

}  // namespace

class TestWorkbenchHabits : public QObject {
    Q_OBJECT
private slots:
    void mnemonicsAreUniqueInEveryMenu()
    {
        Workbench w;
        for (QMenu* menu : w.frame().menuBar()->findChildren<QMenu*>()) {
            QMap<QChar, QString> seen;
            for (QAction* action : menu->actions()) {
                const QString text = action->text();
                const int at = text.indexOf(QRegularExpression("&[^&]"));
                if (at < 0) continue;
                const QChar key = text[at + 1].toLower();
                QVERIFY2(!seen.contains(key), qPrintable(menu->title() + ": " + seen[key] + " / " + text));
                seen[key] = text;
            }
        }
    }

    void keysAndWheelZoomAboutTheMouse()
    {
        Workbench w;
        Replace(w, MakeGrey(2000, 1500, [](int x, int y) { return (x + y) % 256; }));
        const struct {
            QKeySequence key;
            float zoom;
            const char* pane;
        } keys[] = {{QKeySequence("Ctrl++"), 2.0f, "200%"}, {QKeySequence("Ctrl+="), 4.0f, "400%"},
                    {QKeySequence("Ctrl+0"), 1.0f, "100%"}, {QKeySequence("Ctrl+-"), 0.5f, "1/2"}};
        for (const auto& k : keys) {
            QAction* action = nullptr;
            for (QAction* a : w.frame().findChildren<QAction*>())
                if (a->shortcuts().contains(k.key)) action = a;
            QVERIFY2(action, qPrintable(k.key.toString()));
            action->trigger();
            QCOMPARE(w.view().ZoomFactor(), k.zoom);
            QCOMPARE(ZoomPane(w), QString(k.pane));
        }
        QVERIFY(w.frame().OnCommand(cmd::Zoom1to1));
        w.view().horizontalScrollBar()->setValue(300);
        w.view().verticalScrollBar()->setValue(200);
        const QPoint at(40, 30);
        const QPointF before = ImagePoint(w.view(), at);
        Wheel(w.view(), at, 120);
        QCOMPARE(w.view().ZoomFactor(), 2.0f);
        QCOMPARE(ImagePoint(w.view(), at), before);
        Wheel(w.view(), at, -120);
        QCOMPARE(w.view().ZoomFactor(), 1.0f);
        QCOMPARE(ImagePoint(w.view(), at), before);
        // Read-out at any zoom names the pixel under the mouse.
        QVERIFY(w.frame().OnCommand(cmd::ZoomIn));
        QCOMPARE(w.view().ReadOutAt(QPoint(5, 7)).toStdString(),
                 PixelReadOut(w.doc().image, 5 + w.view().horizontalScrollBar()->value(),
                              7 + w.view().verticalScrollBar()->value(), 2.0f));
        QVERIFY(w.view().ReadOutAt(QPoint(5, 7)).startsWith("x = "));
    }

    void fitToWindowAndTheSmallestWindow()
    {
        Workbench w;
        Replace(w, MakeGrey(3000, 100, [](int, int) { return 9; }));
        QVERIFY(w.frame().OnCommand(cmd::FitToWindow));
        const float zoom = w.view().ZoomFactor();
        QVERIFY(zoom < 1.0f);
        const QSize room = w.frame().MdiArea()->viewport()->size();
        QVERIFY(w.child()->width() <= room.width());
        QVERIFY(3000 * zoom * 2 > room.width());  // the next step would not fit
        // A 1 x 1 image at 1/64 keeps a usable window.
        Replace(w, MakeGrey(1, 1, [](int, int) { return 9; }));
        for (int i = 0; i < 6; ++i) w.frame().OnCommand(cmd::ZoomOut);
        QCOMPARE(ZoomPane(w), QString("1/64"));
        QVERIFY(w.child()->width() >= 160 && w.child()->height() >= 120);
    }

    void measureNeedsAnImageAndTheReadOutLeaves()
    {
        Workbench w;
        w.frame().SetStatusText("x = 1, y = 2, luminosity = 3");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&w.view(), &leave);
        QCOMPARE(w.frame().StatusText(), QString(kIdleStatusText));
        w.frame().SetStatusText("x = 1, y = 2, luminosity = 3");
        QVERIFY(w.frame().CloseAll());
        QCOMPARE(w.frame().StatusText(), QString(kIdleStatusText));
        QVERIFY(!w.frame().Action(cmd::Measure)->isEnabled());
        QCOMPARE(ZoomPane(w), QString());
    }

    void exitCancelledAtTheSecondQuestionKeepsEveryWindow()
    {
        TempDir dir;
        const QString a = WriteBitmap(dir, "a.bmp", MakeGrey(20, 10, [](int, int) { return 1; }));
        const QString b = WriteBitmap(dir, "b.bmp", MakeGrey(20, 10, [](int, int) { return 2; }));
        Workbench w({a, b});
        QCOMPARE(w.titles(), (QStringList{"a.bmp", "b.bmp"}));  // every file named opens
        for (CChildFrame* child : w.frame().Children()) {
            child->GetDocument().image.Invert();
            child->GetDocument().SetModifiedFlag();
        }
        QStringList asked;
        w.frame().askSaveChanges = [&](const QString& text) {
            asked << text;
            return asked.size() == 1 ? QMessageBox::Yes : QMessageBox::Cancel;
        };
        QVERIFY(!w.frame().CloseAll());
        QCOMPARE(asked, (QStringList{"Save changes to b.bmp?", "Save changes to a.bmp?"}));
        QCOMPARE(w.titles(), (QStringList{"a.bmp*", "b.bmp"}));
        // The Yes saved at once.
        CImage saved;
        std::string message;
        bool causeValid;
        int cause;
        QCOMPARE(saved.SerializeFile(false, b.toStdString(), false, message, causeValid, cause), 0);
        QCOMPARE(int(saved.pixelValueArray[0][0].red), 253);
        QVERIFY(!w.frame().Children()[1]->GetDocument().IsModified());
        QVERIFY(w.frame().Children()[0]->GetDocument().IsModified());
        // Open starts in the active image's folder.
        QCOMPARE(w.frame().StartFolder(), QFileInfo(b).absolutePath());
    }

    void cascadeKeepsSizesAndTheTitleShowsOnce()
    {
        Workbench w;
        w.app.OnCommand(cmd::FileNew);
        QList<CChildFrame*> children = w.frame().Children();
        children[0]->resize(300, 200);
        children[1]->resize(250, 180);
        QVERIFY(w.frame().OnCommand(cmd::WindowCascade));
        QCOMPARE(children[0]->size(), QSize(300, 200));
        QCOMPARE(children[1]->size(), QSize(250, 180));
        QVERIFY(children[1]->pos().x() > children[0]->pos().x() && children[1]->pos().y() > children[0]->pos().y());
        w.child()->showMaximized();
        QTRY_COMPARE(w.frame().windowTitle(), QString("NUVAK - [Image2]"));
        w.child()->showNormal();
        QTRY_COMPARE(w.frame().windowTitle(), QString("NUVAK - Image2"));
    }

    void dialogsStartWithTheValuesLastUsed()
    {
        COperationDlg::ForgetLastValues();
        Workbench w;
        QStringList shown;
        for (const char* level : std::initializer_list<const char*>{"200", nullptr}) {
            OnNextDialog<CThresholdDlg>([&](CThresholdDlg& dlg) {
                shown << qobject_cast<QLineEdit*>(dlg.Control(ThresholdDialogModel::kLevel))->text();
                if (level) Type(dlg, ThresholdDialogModel::kLevel, level);
                qobject_cast<QRadioButton*>(dlg.Control(ThresholdDialogModel::kAbove))->click();
                dlg.accept();
            });
            QVERIFY(w.frame().OnCommand(cmd::Threshold));
        }
        QCOMPARE(shown, (QStringList{"127", "200"}));
        OnNextDialog<CThresholdDlg>([&](CThresholdDlg& dlg) {
            QVERIFY(qobject_cast<QRadioButton*>(dlg.Control(ThresholdDialogModel::kAbove))->isChecked());
            QCOMPARE(dlg.Values().Params().threshold, 200);
        });
        QVERIFY(w.frame().OnCommand(cmd::Threshold));
    }

    void unknownOptionsAreToldFromQtsOwn()
    {
        const struct {
            std::vector<const char*> args;
            const char* unknown;
        } cases[] = {
            {{"--no-splash", "a.png"}, ""},
            {{"-platform", "offscreen", "--style=fusion", "-reverse", "b.tif"}, ""},
            {{"a.png", "--bogus", "-x"}, "--bogus"},
            {{"-nosplash"}, "-nosplash"},
        };
        for (const auto& c : cases) {
            std::vector<const char*> argv{"nuvak"};
            argv.insert(argv.end(), c.args.begin(), c.args.end());
            QCOMPARE(ParseNuvakOptions(int(argv.size()), argv.data()).unknown, std::string(c.unknown));
        }
        QCOMPARE(UnknownOptionText("--bogus"), std::string("nuvak: unknown option --bogus; see nuvak --help"));
    }

    void undoMemoryIsKeptInTheSettings()
    {
        constexpr std::uint64_t MB = 1024 * 1024;
        QSettings().remove("undo/memoryMB");
        Workbench w;
        QCOMPARE(CBackupList::Budget(), CBackupList::DefaultBudget());
        int offered = 0;
        w.frame().askUndoMemory = [&](int initial) { return offered = initial, 100; };
        QVERIFY(w.frame().OnCommand(cmd::UndoMemory));
        QCOMPARE(std::uint64_t(offered), CBackupList::DefaultBudget() / MB);
        QCOMPARE(CBackupList::Budget(), 100 * MB);
        CBackupList::SetBudget(0);
        LoadUndoMemoryPreference();
        QCOMPARE(CBackupList::Budget(), 100 * MB);
        // Cancelled: nothing changes.
        w.frame().askUndoMemory = [](int) { return 0; };
        QVERIFY(w.frame().OnCommand(cmd::UndoMemory));
        QCOMPARE(CBackupList::Budget(), 100 * MB);
        QSettings().remove("undo/memoryMB");
        LoadUndoMemoryPreference();
        QCOMPARE(CBackupList::Budget(), CBackupList::DefaultBudget());
    }

    void fileDialogsOpenShowingTheirColumns()
    {
        Workbench w;
        QFileDialog dialog(&w.frame(), "Open");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        auto* list = dialog.findChild<QTreeView*>("treeView");
        QVERIFY(list);
        QTRY_VERIFY(list->header()->length() <= list->viewport()->width());
        QVERIFY(dialog.height() >= 420);
    }

    void f1OpensASectionOfTheManualInEveryDialog()
    {
        FakeUserInterface user;
        QFile manual(":/help/manual.html");
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(manual.readAll());
        QVERIFY(!text.contains("not available"));
        std::vector<std::unique_ptr<QWidget>> dialogs;
        for (const CommandText& command : CommandTexts())
            if (const DialogCommand* dialog = FindDialogCommand(command.id))
                dialogs.push_back(MakeCommandDialog(*dialog, nullptr));
        dialogs.push_back(std::make_unique<CCustomFilterDlg>());
        dialogs.push_back(std::make_unique<CSeriesPropSheet>());
        dialogs.push_back(std::make_unique<CHistogramDlg>(nullptr));
        dialogs.push_back(std::make_unique<CSixteenBitLevelsDlg>(nullptr));
        for (const auto& dialog : dialogs) {
            auto* f1 = dialog->findChild<QShortcut*>();
            QVERIFY2(f1 && f1->key() == QKeySequence(Qt::Key_F1), dialog->metaObject()->className());
            emit f1->activated();
            auto* help = dialog->findChild<CHelpWindow*>();
            QVERIFY(help);
            QVERIFY2(text.contains("name=\"" + help->Anchor() + "\""), qPrintable(help->Anchor()));
        }
    }
};

NUVAK_GUI_TEST(TestWorkbenchHabits)
#include "WorkbenchHabitsTest.moc"
