// The dialogs without preview: Rotate, Scale with its numeric edits, and
// Image Calculations; the numeric edit's keys.
#include "DialogDriving.h"
#include "Workbench.h"
#include "dialogs/CustomFilterDlg.h"
#include "dialogs/FilterDlg.h"
#include "dialogs/ImageCalculationsDlg.h"
#include "dialogs/JpegQualityDlg.h"
#include "dialogs/MorphologyDlg.h"
#include "dialogs/NumericEdit.h"
#include "dialogs/RotateDlg.h"
#include "dialogs/ScaleDlg.h"
#include "support/TestImages.h"

namespace {

using SM = ScaleDialogModel;

bool Checked(COperationDlg& dlg, int id) { return qobject_cast<QRadioButton*>(dlg.Control(id))->isChecked(); }

}  // namespace

class TestOperationDialogs : public QObject {
    Q_OBJECT
private slots:
    void numericEditLetsDigitsPointAndBackspaceThrough()
    {
        const struct {
            const char* keys;
            QString text;
            double value;
        } cases[] = {
            {"-5", "5", 5}, {"1a.5", "1.5", 1.5}, {"2+3e1", "231", 231}, {"..", "..", 0}, {"", "", 0},
        };
        for (const auto& c : cases) {
            NumericEdit model(100);
            CNumericEdit edit(model);
            QCOMPARE(edit.text(), QString("100"));
            edit.clear();
            QTest::keyClicks(&edit, c.keys);
            QCOMPARE(edit.text(), c.text);
            QCOMPARE(edit.Value(), c.value);
            QCOMPARE(model.Text(), c.text.toStdString());
        }
        NumericEdit model(0);
        CNumericEdit edit(model);
        QTest::keyClicks(&edit, "12");
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString("01"));
        QCOMPARE(edit.Value(), 1.0);
    }

    // Typing marks what a field cannot take, and the window keeps its size.
    void typedValuesAreMarkedInPlace()
    {
        const CImage grey = MakeGrey(64, 48, [](int x, int y) { return x + y; });
        const auto opened = [&grey](CPreviewDlg* dlg) {
            dlg->Open(grey);
            return dlg;
        };
        const struct {
            std::function<COperationDlg*()> make;
            int id;
            const char* keys;
            const char* message;
        } cases[] = {
            {[] { return new CRotateDlg; }, RotateDialogModel::kDegrees, "400", "Please enter a number between -360 and 360."},
            {[] { return new CScaleDlg; }, SM::kY, "500", "Please enter a value between 0 and 400"},
            {[] { return new CScaleDlg; }, SM::kX, "1e5", kNumericEditKeys},
            {[&] { return opened(new CFilterDlg(FilterDialogModel::kUnsharpMask)); }, FilterDialogModel::kBoost, "1e",
             kNumericEditKeys},
            {[&] { return opened(new CMorphologyDlg(MorphologyDialogModel::kOpening)); },
             MorphologyDialogModel::kRepetitions, "9", "Please enter an integer between 1 and 5."},
            {[] { return new CCustomFilterDlg; }, CustomFilterModel::kFirstWeight + 40, "1/2.5",
             "Value cannot contain both a decimal point (.) and a slash (/)."},
        };
        for (const auto& c : cases) {
            FakeUserInterface ui;
            std::unique_ptr<COperationDlg> dlg(c.make());
            dlg->show();
            QApplication::processEvents();
            const QSize before = dlg->size();
            auto* edit = qobject_cast<QLineEdit*>(dlg->Control(c.id));
            edit->clear();
            QTest::keyClicks(edit, c.keys);
            QApplication::processEvents();
            QCOMPARE(dlg->FieldMessage(), QString(c.message));
            QCOMPARE(edit->toolTip(), QString(c.message));
            QCOMPARE(dlg->size(), before);
            QVERIFY(ui.errors.empty());
        }
        // JPEG quality 150 is refused, not cut to 15.
        FakeUserInterface ui;
        CJpegQualityDlg jpeg(95);
        jpeg.Field()->clear();
        QTest::keyClicks(jpeg.Field(), "150");
        QCOMPARE(jpeg.FieldMessage(), QString("Please enter an integer between 1 and 100."));
        jpeg.accept();
        QCOMPARE(ui.errors, std::vector<std::string>{"Please enter an integer between 1 and 100."});
        QCOMPARE(jpeg.result(), int(QDialog::Rejected));
        jpeg.Field()->setText("100");
        QCOMPARE(jpeg.FieldMessage(), QString());
        jpeg.accept();
        QCOMPARE(jpeg.Quality(), 100);
    }

    void rotateDefaultsAndRange()
    {
        FakeUserInterface ui;
        CRotateDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString("Rotate"));
        QCOMPARE(qobject_cast<QLineEdit*>(dlg.Control(RotateDialogModel::kDegrees))->text(), QString("90"));
        QVERIFY(Checked(dlg, RotateDialogModel::kBilinear));
        QCOMPARE(qobject_cast<QRadioButton*>(dlg.Control(RotateDialogModel::kNearest))->text(),
                 QString("Nearest Neighbor"));
        Type(dlg, RotateDialogModel::kDegrees, "-360.5");
        dlg.accept();
        QCOMPARE(ui.errors, std::vector<std::string>{"Please enter a number between -360 and 360."});
        QCOMPARE(dlg.focusWidget(), dlg.Control(RotateDialogModel::kDegrees));
        Type(dlg, RotateDialogModel::kDegrees, "abc");
        dlg.accept();
        QCOMPARE(ui.errors.back(), std::string("Please enter a number."));
        Type(dlg, RotateDialogModel::kDegrees, "-45.5");
        Click(dlg, RotateDialogModel::kNearest);
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Values().Params().theta, -45.5);
        QCOMPARE(dlg.Values().Params().interpolation, 0);
    }

    void scaleChecksEachPercentWithTheFocusRule()
    {
        const struct {
            const char* x;
            const char* y;
            const char* message;  // empty: accepted
            int focus;
        } cases[] = {
            {"400.5", "100", "Please enter a value between 0 and 400", SM::kX},
            {"400", "400.5", "Please enter a value between 0 and 400", SM::kY},
            {"0", "0", "Please enter a value between 0 and 400", SM::kX},
            {"", "50", "Please enter a number.", SM::kX},
            {"100", "1.2.3", "Please enter a number.", SM::kY},
            {"400", "400", "", 0},
            {"0.5", "12.5", "", 0},
        };
        for (const auto& c : cases) {
            FakeUserInterface ui;
            CScaleDlg dlg;
            QCOMPARE(dlg.windowTitle(), QString("Scale"));
            QVERIFY(Checked(dlg, SM::kBilinear));
            for (int id : {SM::kX, SM::kY}) {
                auto* edit = qobject_cast<QLineEdit*>(dlg.Control(id));
                QCOMPARE(edit->text(), QString("100"));
                edit->clear();
                QTest::keyClicks(edit, id == SM::kX ? c.x : c.y);
            }
            dlg.Control(SM::kNearest)->setFocus();
            dlg.accept();
            if (*c.message) {
                QCOMPARE(ui.errors, std::vector<std::string>{c.message});
                QCOMPARE(dlg.focusWidget(), dlg.Control(c.focus));
                QCOMPARE(dlg.result(), int(QDialog::Rejected));
            } else {
                QVERIFY(ui.errors.empty());
                QCOMPARE(dlg.result(), int(QDialog::Accepted));
                QCOMPARE(dlg.Values().Params().scaleX, std::stod(c.x));
                QCOMPARE(dlg.Values().Params().scaleY, std::stod(c.y));
            }
        }
    }

    void calculationsListsAndSelections()
    {
        ImageCalculationsDialogModel model;
        model.operandTitles = {"Image1", "Image2", "Image3"};
        model.operation = 3;
        CImageCalculationsDlg dlg(model);
        using M = ImageCalculationsDialogModel;
        QCOMPARE(dlg.windowTitle(), QString("Image Calculations"));
        const auto items = [&](int id) {
            QStringList list;
            for (int i = 0; i < dlg.List(id)->count(); ++i) list << dlg.List(id)->itemText(i);
            return list;
        };
        QCOMPARE(items(M::kFirstOperand), (QStringList{"Image1", "Image2", "Image3"}));
        QCOMPARE(items(M::kSecondOperand), (QStringList{"Image1", "Image2", "Image3"}));
        QCOMPARE(items(M::kOperation), (QStringList{"Add", "Subtract", "Absolute Difference", "Multiply", "Divide"}));
        QCOMPARE(items(M::kResult), QStringList{"New Image"});
        QCOMPARE(dlg.List(M::kOperation)->currentText(), QString("Multiply"));
        QCOMPARE(dlg.List(M::kFirstOperand)->currentIndex(), 0);
        QCOMPARE(dlg.List(M::kSecondOperand)->currentIndex(), 0);
        QCOMPARE(dlg.List(M::kResult)->currentIndex(), 0);
        dlg.List(M::kSecondOperand)->setCurrentIndex(2);
        dlg.List(M::kOperation)->setCurrentIndex(1);
        dlg.accept();
        QCOMPARE(model.secondOperand, 2);
        QCOMPARE(model.firstOperand, 0);
        QCOMPARE(model.operation, 1);
    }
};

NUVAK_GUI_TEST(TestOperationDialogs)
#include "OperationDialogsTest.moc"
