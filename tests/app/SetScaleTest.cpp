// Image, Set Scale: from the last measured line or the pixel size, for the
// active image, every open one and the images opened later.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "Workbench.h"
#include "dialogs/SetScaleDlg.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

class TestSetScale : public QObject {
    Q_OBJECT
private slots:
    void knownDistanceScalesEveryOpenImageAndLaterOnes()
    {
        TempDir dir;
        const QString later = WriteBitmap(dir, "later.bmp", MakeGrey(8, 8, [](int, int) { return 1; }));
        Workbench w;
        w.app.OnCommand(cmd::FileNew);
        w.frame().SetLastMeasuredLength(50);
        QStringList refusals;
        QString prefilled, scale, marked;
        w.frame().askSetScale = [&](CSetScaleDlg& dialog) {
            prefilled = dialog.Field(SetScaleModel::kDistance)->text();
            dialog.Field(SetScaleModel::kKnown)->setText("0");
            dialog.UnitList()->setCurrentIndex(2);  // µm
            marked = dialog.FieldMessage();
            dialog.accept();
            refusals = QStringList();
            for (const std::string& e : w.user.errors) refusals << QString::fromStdString(e);
            dialog.Field(SetScaleModel::kKnown)->setText("25");
            scale = dialog.ScaleText();
            dialog.ApplyToAll()->click();
            dialog.UseForLater()->click();
            dialog.accept();
            return dialog.result() == QDialog::Accepted;
        };
        QVERIFY(w.frame().OnCommand(cmd::SetScale));
        QCOMPARE(prefilled, QString("50.000"));
        QCOMPARE(scale, QString::fromUtf8("Pixel size: 0.5 x 0.5 \u00b5m"));
        QCOMPARE(refusals, QStringList{"Please enter a known distance greater than 0."});
        QCOMPARE(marked, refusals.front());  // marked while typed, before OK
        for (CChildFrame* child : w.frame().Children()) {
            QCOMPARE(child->GetDocument().image.calibration, (CCalibration{0.5, 0.5, "\u00b5m"}));
            QVERIFY(child->GetDocument().IsModified());  // Close asks to save it
        }
        QCOMPARE(w.doc().image.xPixelsPerMetre, 2000000.0);
        w.app.OpenDocumentFile(later);
        QCOMPARE(w.doc().image.calibration, (CCalibration{0.5, 0.5, "\u00b5m"}));
        QCOMPARE(w.doc().image.xPixelsPerMetre, 2000000.0);  // saved with it
        QVERIFY(w.user.notices.empty());
        // "pixels" removes the scale.
        w.frame().askSetScale = [](CSetScaleDlg& dialog) {
            dialog.UnitList()->setCurrentIndex(0);
            dialog.accept();
            return true;
        };
        QVERIFY(w.frame().OnCommand(cmd::SetScale));
        QVERIFY(!w.doc().image.calibration.Calibrated());
        QCOMPARE(w.doc().image.xPixelsPerMetre, 0.0);
    }

    void okWithoutAChangeKeepsThePixelSize()
    {
        Workbench w;
        w.app.OnCommand(cmd::FileNew);
        w.frame().SetLastMeasuredLength(37.123456);
        w.frame().askSetScale = [](CSetScaleDlg& dialog) {
            dialog.accept();
            return true;
        };
        for (const CCalibration& c : {CCalibration{0.5, 0.8, "\u00b5m"}, CCalibration{0.123456789, 0.123456789, "mm"}}) {
            w.doc().image.SetCalibration(c);
            w.doc().SetModifiedFlag(false);
            QVERIFY(w.frame().OnCommand(cmd::SetScale));
            QCOMPARE(w.doc().image.calibration, c);
            QVERIFY(!w.doc().IsModified());
        }
    }
};

NUVAK_GUI_TEST(TestSetScale)
#include "SetScaleTest.moc"
