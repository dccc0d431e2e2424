// Commands of the application: Extract RGB, Comb, the command line, About
// and Help.
#include <QLabel>
#include <QTextBrowser>

#include "Workbench.h"
#include "app/AboutDlg.h"
#include "dialogs/HelpWindow.h"
#include "document/CommandIds.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

class TestAppCommands : public QObject {
    Q_OBJECT
private slots:
    void derivedImagesOpenInOrder()
    {
        const struct {
            int id;
            QStringList titles;
            std::vector<CColorVal> corners;  // pixel (0, 0) of each new image
            int height;                      // of each new image
        } cases[] = {
            {cmd::ExtractRgb,
             {"Image1", "Image1 - RED*", "Image1 - GREEN*", "Image1 - BLUE*"},
             {CColorVal(10, 0, 0), CColorVal(0, 20, 0), CColorVal(0, 0, 30)},
             4},
            {cmd::Comb, {"Image1", "Image1 - EVEN*", "Image1 - ODD*"}, {CColorVal(10, 20, 30), CColorVal(11, 20, 30)}, 4},
        };
        for (const auto& c : cases) {
            Workbench w;
            w.doc().image = MakeImage(3, 4, [](int, int y) { return CColorVal(10 + y, 20, 30); });
            QVERIFY(w.frame().OnCommand(c.id));
            QCOMPARE(w.titles(), c.titles);
            const QList<CChildFrame*> children = w.frame().Children();
            QVERIFY(!children[0]->GetDocument().IsModified());
            for (size_t k = 0; k < c.corners.size(); ++k) {
                const CNUVAKDoc& made = children[int(k) + 1]->GetDocument();
                QVERIFY(made.IsModified());
                QVERIFY(made.image.pixelValueArray[0][0] == c.corners[k]);
                QCOMPARE(made.image.height, c.height);
            }
            QCOMPARE(w.child(), children.last());
        }
    }

    void commandLineFileOpensInsteadOfNew()
    {
        TempDir dir;
        Workbench w({WriteBitmap(dir, "start.bmp", MakeGrey(5, 5, [](int, int) { return 9; }))});
        QCOMPARE(w.titles(), QStringList{"start.bmp"});
        QCOMPARE(w.doc().image.format, int(FORMAT_GRAYSCALE));
    }

    void aboutShowsTheVersion()
    {
        CAboutDlg about;
        QCOMPARE(CAboutDlg::VersionText(), QString("NUVAK Version " NUVAK_VERSION));
        QVERIFY(about.findChild<QLabel*>("versionText")->text().contains(CAboutDlg::VersionText()));
        QVERIFY(about.findChild<QLabel*>("versionText")->text().contains(QString::fromUtf8("Copyright \u00A9 2026")));
    }

    void helpOpensTheManual()
    {
        Workbench w;
        QVERIFY(w.frame().OnCommand(cmd::HelpIndex));
        auto* help = w.frame().findChild<CHelpWindow*>();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->Browser()->toPlainText().contains("each further Undo one command further back"));
    }
};

NUVAK_GUI_TEST(TestAppCommands)
#include "AppCommandsTest.moc"
