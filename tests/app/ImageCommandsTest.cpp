// Image commands with dialogs through the document's pipeline, and the
// image calculations into a new document.
#include <QMdiArea>

#include "DialogDriving.h"
#include "Workbench.h"
#include "app/CommandTable.h"
#include "dialogs/ImageCalculationsDlg.h"
#include "dialogs/PreviewDlg.h"
#include "dialogs/ScaleDlg.h"
#include "document/CommandIds.h"
#include "support/TestImages.h"

namespace {

// A grey 9 x 9 image, black but for a bright plus at its centre.
CImage Plus()
{
    return MakeGrey(9, 9, [](int x, int y) { return (x == 4 && y >= 3 && y <= 5) || (y == 4 && x >= 3 && x <= 5) ? 200 : 40; });
}

}  // namespace

class TestImageCommands : public QObject {
    Q_OBJECT
private slots:
    void cancelLeavesTheImageAndTheUndoSteps()
    {
        Workbench w;
        w.doc().image = Plus();
        w.doc().UpdateAllViews();
        const CImage before = w.doc().image;
        for (int id : {cmd::Threshold, cmd::Erosion, cmd::Rotate}) {
            bool opened = false;
            OnNextDialog<COperationDlg>([&](COperationDlg& dlg) {
                opened = true;
                dlg.reject();
            });
            QVERIFY(w.frame().OnCommand(id));
            QVERIFY(opened);
            QVERIFY(SameImage(w.doc().image, before));
            QVERIFY(!w.doc().IsModified());
            QVERIFY(!w.frame().Action(cmd::Undo)->isEnabled());
        }
    }

    // OK applies the operation to the document as the preview showed it.
    void okGivesTheDocumentThePreview()
    {
        const struct {
            int id;
            bool wait;
        } cases[] = {
            {cmd::Threshold, false}, {cmd::BrightnessSlice, true}, {cmd::Bound, true},     {cmd::Clean, true},
            {cmd::HighPass, true},   {cmd::LowPass, true},         {cmd::Median, true},    {cmd::UnsharpMask, true},
            {cmd::Laplace, true},    {cmd::Prewitt, true},         {cmd::Erosion, true},   {cmd::Dilation, true},
            {cmd::Opening, true},    {cmd::Closing, true},         {cmd::Outline, true},   {cmd::Gradient, true},
            {cmd::PeakDetector, true}, {cmd::ValleyDetector, true},
        };
        for (const auto& c : cases) {
            Workbench w;
            w.doc().image = Plus();
            w.doc().UpdateAllViews();
            CImage preview;
            OnNextDialog<CPreviewDlg>([&](CPreviewDlg& dlg) {
                preview = static_cast<PreviewDialog&>(dlg.Model()).PreviewCopy();
                dlg.accept();
            });
            w.user.waitCount = 0;
            QVERIFY(w.frame().OnCommand(c.id));
            QVERIFY2(SameImage(w.doc().image, preview), FindCommandText(c.id)->menuText);
            QVERIFY(w.doc().IsModified());
            QVERIFY(w.user.errors.empty());
            QCOMPARE(w.user.waitDepth, 0);
            QVERIFY2((w.user.waitCount > 0) == c.wait, FindCommandText(c.id)->menuText);
            QVERIFY(w.frame().OnCommand(cmd::Undo));
            QVERIFY(SameImage(w.doc().image, Plus()));
        }
    }

    // Yes to inverting makes the document's result the inverted preview.
    void cleanInvertsTheDocumentWhenTheUserAgreed()
    {
        Workbench w;
        w.doc().image = MakeGrey(9, 9, [](int x, int y) { return x == 4 && y == 4 ? 0 : 255; });
        w.doc().UpdateAllViews();
        CImage preview;
        OnNextDialog<CPreviewDlg>([&](CPreviewDlg& dlg) {
            preview = static_cast<PreviewDialog&>(dlg.Model()).PreviewCopy();
            dlg.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::Clean));
        QCOMPARE(w.user.questions.at(1), std::string("Clean is designed to work on images with light objects\n"
                                                        "on a black background.  Invert image?"));
        QVERIFY(SameImage(w.doc().image, preview));
        QCOMPARE(int(w.doc().image.pixelValueArray[0][0].red), 0);
    }

    void scaleRunsWithTheTypedPercents()
    {
        Workbench w;
        w.doc().image = Plus();
        OnNextDialog<CScaleDlg>([](CScaleDlg& dlg) {
            for (int id : {ScaleDialogModel::kX, ScaleDialogModel::kY}) {
                auto* edit = qobject_cast<QLineEdit*>(dlg.Control(id));
                edit->clear();
                QTest::keyClicks(edit, "200");
            }
            dlg.accept();
        });
        QVERIFY(w.frame().OnCommand(cmd::Scale));
        QCOMPARE(w.doc().image.width, 18);
        QCOMPARE(w.doc().image.height, 18);
        QVERIFY(w.doc().IsModified());
    }

    void calculationsOfferTwentyFiveCandidatesAtMost()
    {
        for (int count : {25, 26}) {
            Workbench w;
            w.doc().image = MakeImage(4, 3, [](int x, int) { return CColorVal(x, 1, 2); });
            for (int i = 1; i < count; ++i) {
                QVERIFY(w.frame().OnCommand(cmd::FileNew));
                w.doc().image = MakeImage(4, 3, [i](int x, int) { return CColorVal(x, i, 2); });
            }
            // Another size and another format are never offered.
            QVERIFY(w.frame().OnCommand(cmd::FileNew));
            w.doc().image = MakeImage(3, 4, [](int, int) { return CColorVal(); });
            QVERIFY(w.frame().OnCommand(cmd::FileNew));
            w.doc().image = MakeGrey(4, 3, [](int, int) { return 0; });
            QList<CChildFrame*> children = w.frame().Children();
            w.frame().MdiArea()->setActiveSubWindow(children[1]);
            const int before = int(children.size());

            QStringList offered;
            OnNextDialog<CImageCalculationsDlg>([&](CImageCalculationsDlg& dlg) {
                QComboBox* first = dlg.List(ImageCalculationsDialogModel::kFirstOperand);
                for (int i = 0; i < first->count(); ++i) offered << first->itemText(i);
                QCOMPARE(dlg.List(ImageCalculationsDialogModel::kOperation)->currentText(), QString("Add"));
                dlg.List(ImageCalculationsDialogModel::kSecondOperand)->setCurrentIndex(2);
                dlg.accept();
            });
            QVERIFY(w.frame().OnCommand(cmd::Add));
            QCOMPARE(offered.size(), 25);
            QCOMPARE(offered.first(), QString("Image1"));
            QCOMPARE(offered.last(), QString("Image25"));
            if (count == 25)
                QVERIFY(w.user.notices.empty());
            else
                QCOMPARE(w.user.notices, std::vector<std::string>{"The number of open images found exceeds the limit "
                                                                  "of 25.\nThe first 25 open images will be used.\n"});
            children = w.frame().Children();
            QCOMPARE(int(children.size()), before + 1);
            const CNUVAKDoc& made = w.doc();
            QCOMPARE(&made, &children.last()->GetDocument());
            QCOMPARE(made.GetTitle(), std::string("Image1 - Add Image3"));
            QVERIFY(made.IsModified());
            // Image1 plus Image3: red x + x, green 1 + 2, blue 2 + 2.
            QVERIFY(made.image.pixelValueArray[0][3] == CColorVal(6, 3, 4));
            QVERIFY(!children[0]->GetDocument().IsModified());
        }
    }

    void cancelledCalculationMakesNoDocument()
    {
        Workbench w;
        OnNextDialog<CImageCalculationsDlg>([](CImageCalculationsDlg& dlg) { dlg.reject(); });
        QVERIFY(w.frame().OnCommand(cmd::Divide));
        QCOMPARE(w.titles(), QStringList{"Image1"});
    }
};

NUVAK_GUI_TEST(TestImageCommands)
#include "ImageCommandsTest.moc"
