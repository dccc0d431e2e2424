// The Custom Filter dialog: size radios and the enabled block, Clear All,
// the filter file buttons, and OK running the filter through the document.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "DialogDriving.h"
#include "Workbench.h"
#include "dialogs/CustomFilterDlg.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/SeriesPropSheet.h"
#include "processing/FilterFile.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

using M = CustomFilterModel;

QLineEdit* Box(CCustomFilterDlg& dlg, int box) { return qobject_cast<QLineEdit*>(dlg.Control(M::kFirstWeight + box)); }
QPushButton* Button(CCustomFilterDlg& dlg, int id) { return qobject_cast<QPushButton*>(dlg.Control(id)); }
QRadioButton* Radio(CCustomFilterDlg& dlg, int size)
{
    return qobject_cast<QRadioButton*>(dlg.Control(M::kFirstSizeRadio + (size - 3) / 2));
}

// Every box's text, row by row, joined by spaces.
QString Texts(CCustomFilterDlg& dlg)
{
    QStringList texts;
    for (int box = 0; box < 81; ++box) texts << Box(dlg, box)->text();
    return texts.join(' ');
}

// The boxes of the centred block of size enabled, the others not.
bool BlockEnabled(CCustomFilterDlg& dlg, int size)
{
    for (int box = 0; box < 81; ++box)
        if (Box(dlg, box)->isEnabled() != GridBoxEnabled(size, box / 9, box % 9)) return false;
    return Radio(dlg, size)->isChecked();
}

// Types the texts into the enabled boxes in order.
void TypeBlock(CCustomFilterDlg& dlg, const std::vector<QString>& texts)
{
    size_t next = 0;
    for (int box = 0; box < 81 && next < texts.size(); ++box)
        if (Box(dlg, box)->isEnabled()) Box(dlg, box)->setText(texts[next++]);
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A grey ramp with room for a 3 x 3 kernel around its AOI.
CImage Ramp()
{
    CImage image = MakeGrey(6, 5, [](int x, int y) { return 10 * x + 3 * y; });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(4, 3, false);
    return image;
}

bool SameLevels(const CImage& a, const CImage& b)
{
    return a.pixelValueArray.size() == b.pixelValueArray.size() &&
           std::equal(a.pixelValueArray.data(), a.pixelValueArray.data() + a.pixelValueArray.size(),
                      b.pixelValueArray.data());
}

}  // namespace

class TestCustomFilterDlg : public QObject {
    Q_OBJECT
private slots:
    void helpButtonsOpenTheManual()
    {
        FakeUserInterface user;
        CCustomFilterDlg filter;
        CSeriesPropSheet series;
        const std::pair<QWidget*, QAbstractButton*> cases[] = {
            {&filter, filter.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)},
            {&series, series.HelpButton()},
        };
        for (const auto& [dialog, help] : cases) {
            QVERIFY(help);
            help->click();
            QVERIFY(dialog->findChild<CHelpWindow*>() && dialog->findChild<CHelpWindow*>()->isVisible());
        }
    }

    void opensAtThreeByThreeAndFollowsTheRadios()
    {
        FakeUserInterface user;
        CCustomFilterDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString("Custom Filter"));
        QCOMPARE(Texts(dlg), QStringList(81, "0").join(' '));
        QVERIFY(BlockEnabled(dlg, 3));
        const struct {
            int id;
            const char* label;
        } labels[] = {{M::kFirstSizeRadio, "3x3"},       {M::kFirstSizeRadio + 1, "5x5"},
                      {M::kFirstSizeRadio + 2, "7x7"},   {M::kFirstSizeRadio + 3, "9x9"},
                      {M::kSaveToFile, "&Save To File"}, {M::kReadFromFile, "&Read From File"},
                      {M::kClearAll, "&Clear All"}};
        for (const auto& l : labels)
            QCOMPARE(qobject_cast<QAbstractButton*>(dlg.Control(l.id))->text(), QString(l.label));

        Box(dlg, 40)->setText("1/9");
        for (int size : {7, 9, 5, 3}) {
            Radio(dlg, size)->click();
            QVERIFY2(BlockEnabled(dlg, size), qPrintable(QString::number(size)));
            QCOMPARE(dlg.Values().size, size);
        }
        // Texts stay; Clear All empties disabled boxes too.
        Radio(dlg, 9)->click();
        Box(dlg, 0)->setText("5");
        Radio(dlg, 3)->click();
        QCOMPARE(Box(dlg, 0)->text(), QString("5"));
        QCOMPARE(Box(dlg, 40)->text(), QString("1/9"));
        Button(dlg, M::kClearAll)->click();
        QCOMPARE(Texts(dlg), QStringList(81, "0").join(' '));
        QCOMPARE(dlg.Values().grid[0], std::string("0"));
    }

    // Read From File: the size line, filling and zeroing, and every refusal.
    void readFromFile()
    {
        const std::string nine = "3\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n";
        const struct {
            const char* name;
            std::string contents;
            int sizeBefore;
            const char* error;  // %s: the path
            int sizeAfter;
        } cases[] = {
            {"box.ftr", nine, 9, "", 3},
            {"FILTER.FTR", nine + "extra\r\n", 3, "", 3},
            {"filter.txt", nine, 5, "Error:  the selected file is not a recognized filter file.", 5},
            {"four.ftr", "4\r\n1\r\n", 7, "Error:  filter size 4x4 not supported.", 7},
            {"missing.ftr", "", 3, "Error:  %s cannot be opened for input.", 3},
            {"short.ftr", "3\r\n1\r\n2\r\n", 5, "Error:  %s ends after 2 of its 9 filter weights.", 5},
        };
        for (const auto& c : cases) {
            FakeUserInterface user;
            TempDir dir;
            const std::string path = dir.path(c.name);
            if (std::string(c.name) != "missing.ftr") WriteBytes(path, Bytes(c.contents));
            CCustomFilterDlg dlg;
            Radio(dlg, c.sizeBefore)->click();
            for (int box = 0; box < 81; ++box) Box(dlg, box)->setText("x");
            std::optional<FileChoice> asked;
            dlg.chooseFile = [&](const FileChoice& choice) {
                asked = choice;
                return QString::fromStdString(path);
            };
            Button(dlg, M::kReadFromFile)->click();
            QVERIFY(asked && !asked->save);
            QCOMPARE(asked->filter, QString("Filter Files (*.ftr)"));
            QCOMPARE(asked->suffix, QString("ftr"));
            QVERIFY2(BlockEnabled(dlg, c.sizeAfter), c.name);
            if (*c.error) {
                const QString error = QString(c.error).replace("%s", QString::fromStdString(path));
                QCOMPARE(user.errors, std::vector<std::string>{error.toStdString()});
                QCOMPARE(Texts(dlg), QStringList(81, "x").join(' '));
                continue;
            }
            QVERIFY2(user.errors.empty(), c.name);
            QStringList expected(81, "0");
            const int centre[] = {30, 31, 32, 39, 40, 41, 48, 49, 50};
            for (int k = 0; k < 9; ++k) expected[centre[k]] = QString::number(k + 1);
            QCOMPARE(Texts(dlg), expected.join(' '));
        }
    }

    void saveToFile()
    {
        FakeUserInterface user;
        TempDir dir;
        const std::string path = dir.path("five.ftr");
        CCustomFilterDlg dlg;
        dlg.show();
        int asks = 0;
        std::optional<FileChoice> asked;
        dlg.chooseFile = [&](const FileChoice& choice) {
            ++asks;
            asked = choice;
            return QString::fromStdString(path);
        };
        Radio(dlg, 5)->click();
        std::vector<QString> texts;
        for (int k = 0; k < 25; ++k) texts.push_back(QString::number(k));
        texts[3] = "1/9";
        texts[7] = "-0.25";
        texts[12] = "";
        TypeBlock(dlg, texts);
        Box(dlg, 0)->setText("not written");

        // An empty box: its message, then why nothing is written.
        Button(dlg, M::kSaveToFile)->click();
        QCOMPARE(user.errors, (std::vector<std::string>{"Error:  must enter value.", kWeightsMustBeValid}));
        QCOMPARE(asks, 0);
        QVERIFY(!Exists(path));
        QCOMPARE(dlg.focusWidget(), Box(dlg, 40));

        Box(dlg, 40)->setText("12");
        Button(dlg, M::kSaveToFile)->click();
        QCOMPARE(asks, 1);
        QVERIFY(asked->save);
        QCOMPARE(asked->filter, QString("Filter File Format (*.ftr)"));
        QCOMPARE(asked->suffix, QString("ftr"));
        std::string expected = "5\r\n";
        for (int k = 0; k < 25; ++k) expected += (k == 12 ? std::string("12") : texts[k].toStdString()) + "\r\n";
        QCOMPARE(ReadBytes(path), Bytes(expected));
        QCOMPARE(user.errors.size(), size_t(2));

        // An unwritable place.
        const std::string folder = dir.path("missing/five.ftr");
        dlg.chooseFile = [&](const FileChoice&) { return QString::fromStdString(folder); };
        Button(dlg, M::kSaveToFile)->click();
        QCOMPARE(user.errors.back(), "Error:  " + folder + " could not be opened for output");
    }

    // The save dialog asks before replacing a file; No keeps it.
    void saveAsksBeforeOverwriting()
    {
        FakeUserInterface user;
        TempDir dir;
        const std::string path = dir.path("kept.ftr");
        WriteBytes(path, Bytes("old"));
        for (const bool replace : {false, true}) {
            CCustomFilterDlg dlg;
            QString question;
            QTimer::singleShot(0, [&] {
                auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(files);
                QCOMPARE(files->acceptMode(), QFileDialog::AcceptSave);
                files->selectFile(QString::fromStdString(path));
                QTimer::singleShot(0, [&] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    question = box->text();
                    box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                });
                static_cast<QDialog*>(files)->accept();  // the file dialog's own accept is protected
                if (files->isVisible()) files->reject();
            });
            Button(dlg, M::kSaveToFile)->click();
            QVERIFY2(question.contains("already exists"), qPrintable(question));
            QCOMPARE(ReadBytes(path), Bytes(replace ? "3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" : "old"));
        }
    }

    // OK runs the kernel on the document's AOI; Undo brings the image back.
    void okFiltersThroughTheDocument()
    {
        const struct {
            const char* what;
            std::vector<QString> weights;
            std::function<int(int, int)> inside;  // expected inside the AOI
        } cases[] = {
            {"identity", {"0", "0", "0", "0", "1", "0", "0", "0", "0"}, [](int x, int y) { return 10 * x + 3 * y; }},
            {"left neighbour", {"0", "0", "0", "1", "0", "0", "0", "0", "0"},
             [](int x, int y) { return 10 * (x - 1) + 3 * y; }},
            {"halves of up and down", {"0", "1/2", "0", "0", "0", "0", "0", "0.5", "0"},
             [](int x, int y) { return 10 * x + 3 * y; }},
            {"six times clamps", {"0", "0", "0", "0", "6", "0", "0", "0", "0"},
             [](int x, int y) { return std::min(255, 6 * (10 * x + 3 * y)); }},
        };
        for (const auto& c : cases) {
            Workbench w;
            w.doc().image = Ramp();
            w.doc().UpdateAllViews();
            OnNextDialog<CCustomFilterDlg>([&](CCustomFilterDlg& dlg) {
                TypeBlock(dlg, c.weights);
                dlg.accept();
            });
            QVERIFY(w.frame().OnCommand(cmd::CustomFilter));
            const CImage ramp = Ramp();
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 6; ++x) {
                    const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 3;
                    const int level = inside ? c.inside(x, y) : ramp.pixelValueArray[y][x].red;
                    QVERIFY2(w.doc().image.pixelValueArray[y][x] == CColorVal(level, level, level), c.what);
                }
            QVERIFY(w.doc().IsModified());
            QVERIFY(w.user.questions.empty());
            QVERIFY(w.frame().OnCommand(cmd::Undo));
            QVERIFY(SameLevels(w.doc().image, ramp));
        }
    }

    // A refused weight keeps the dialog open with that box focused; Cancel
    // changes nothing but leaves the snapshot.
    void refusedWeightKeepsTheDialogOpen()
    {
        Workbench w;
        w.doc().image = Ramp();
        bool stayed = false;
        OnNextDialog<CCustomFilterDlg>([&](CCustomFilterDlg& dlg) {
            Box(dlg, 41)->setText("1/2/3");
            dlg.accept();
            stayed = dlg.isVisible();
            QCOMPARE(dlg.focusWidget(), Box(dlg, 41));
            dlg.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::CustomFilter));
        QVERIFY(stayed);
        QCOMPARE(w.user.errors, std::vector<std::string>{"Value cannot contain more than 1 slash (/)"});
        QVERIFY(SameLevels(w.doc().image, Ramp()));
        QVERIFY(!w.doc().IsModified());
        QVERIFY(!w.doc().CanUndo());
    }
};

NUVAK_GUI_TEST(TestCustomFilterDlg)
#include "CustomFilterDlgTest.moc"
