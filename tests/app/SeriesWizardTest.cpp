// The series wizard's pages driven through their controls: the page order
// per operation, Select Files' checks, the lists by format, the parameter
// pages' refusals and the AOI tracker.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "MouseEvents.h"
#include "SeriesWizardDriving.h"
#include "dialogs/RectTracker.h"
#include "dialogs/SeriesAoiPage.h"
#include "dialogs/SeriesObjectParams.h"
#include "dialogs/SeriesTransformPage.h"
#include "document/CommandIds.h"

namespace {

using P = SeriesPage;

bool Shown(SeriesWizard& w, P page, int id) { return !w.control(page, id)->isHidden(); }

}  // namespace

class TestSeriesWizard : public QObject {
    Q_OBJECT
private slots:
    // Every operation group walked from Select Operation to Confirmation and
    // back, with the buttons and the caption of each page on the way.
    void pageOrderForEveryGroup()
    {
        const struct {
            const char* operation;
            bool grey;
            std::vector<P> forward;  // pages after Select Operation
        } cases[] = {
            {"Grayscale", false, {P::Confirmation}},
            {"Extract RGB", true, {P::Confirmation}},
            {"Comb", false, {P::Confirmation}},
            {"Crop", true, {P::SelectAoi, P::Confirmation}},
            {"Sobel", false, {P::SelectAoi, P::Confirmation}},
            {"Flip Horizontal", true, {P::SelectAoi, P::Confirmation}},
            {"Opening", true, {P::SelectAoi, P::MorphParams, P::Confirmation}},
            {"Low Pass Filter", false, {P::SelectAoi, P::FilterParams, P::Confirmation}},
            {"Rotate", false, {P::SelectAoi, P::TransformParams, P::Confirmation}},
            {"Find Objects", true, {P::SelectAoi, P::ObjectParams, P::Confirmation}},
            {"Threshold", true, {P::SelectAoi, P::ProcessParams, P::Confirmation}},
        };
        for (const auto& c : cases) {
            SeriesWizard w({c.grey ? SeriesGrey(0) : SeriesRgb(0)});
            CSeriesPropSheet& sheet = *w.sheet;
            QCOMPARE(sheet.windowTitle(), QString("Series Processing - Select Files"));
            QVERIFY(!sheet.BackButton()->isEnabled());
            w.toOperations();
            w.pick(c.operation);
            // Find Objects needs its file before Next lets it go.
            w.type(P::ObjectParams, SeriesObjectFields::kFileName, "objects.dat");
            for (P expected : c.forward) {
                sheet.Next();
                QCOMPARE(sheet.CurrentPage(), expected);
                QCOMPARE(sheet.windowTitle(), QString(SeriesPageCaption(expected)));
                QVERIFY(sheet.BackButton()->isEnabled());
                const bool last = expected == P::Confirmation;
                QCOMPARE(sheet.NextButton()->isHidden(), last);
                QCOMPARE(sheet.FinishButton()->isHidden(), !last);
            }
            for (auto it = c.forward.rbegin() + 1; it != c.forward.rend(); ++it) {
                sheet.Back();
                QCOMPARE(sheet.CurrentPage(), *it);
            }
            sheet.Back();
            QCOMPARE(sheet.CurrentPage(), P::SelectOperation);
            QCOMPARE(w.operations()->currentItem()->text(), QString(c.operation));  // the choice survives
            sheet.Back();
            QCOMPARE(sheet.CurrentPage(), P::SelectFiles);
            QVERIFY(w.user.errors.empty());
        }
    }

    void selectFilesChecksBeforeMovingOn()
    {
        SeriesWizard w;
        auto* list = qobject_cast<QTextEdit*>(w.control(P::SelectFiles, CSelectFilesPage::kList));
        QCOMPARE(list->toPlainText(), QString("Use the Browse button to select files"));
        QVERIFY(w.control(P::SelectFiles, CSelectFilesPage::kChange)->isEnabled());
        QVERIFY(!w.control(P::SelectFiles, CSelectFilesPage::kFolder)->isEnabled());
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectFiles);
        QCOMPARE(w.user.errors, (std::vector<std::string>{"Please select files to process"}));
        QCOMPARE(w.sheet->focusWidget(), w.control(P::SelectFiles, CSelectFilesPage::kBrowse));

        w.files << WriteBitmap(w.sources, "second.bmp", SeriesGrey(1));
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        QCOMPARE(list->toPlainText(), w.files.join("\n"));
        QCOMPARE(w.sheet->settings.fileCount, 2);
        QVERIFY(w.sheet->filesChanged);
        w.sheet->Next();
        QCOMPARE(w.user.errors.back(), std::string("Please select an output directory"));
        QCOMPARE(w.sheet->focusWidget(), w.control(P::SelectFiles, CSelectFilesPage::kChange));
        QCOMPARE(w.sheet->CurrentPage(), P::SelectFiles);

        // A first file that cannot be read keeps the page.
        w.files = QStringList{QString::fromStdString(w.sources.path("missing.bmp"))};
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.click(P::SelectFiles, CSelectFilesPage::kChange);
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectFiles);
        QCOMPARE(w.user.errors.back(), std::string("Series processing aborted"));
    }

    void overwriteWithYesTakesTheFirstFilesFolder()
    {
        SeriesWizard w;
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.click(P::SelectFiles, CSelectFilesPage::kChange);
        auto* folder = qobject_cast<QLineEdit*>(w.control(P::SelectFiles, CSelectFilesPage::kFolder));
        QCOMPARE(folder->text(), QString::fromStdString(w.out.root().string()));
        w.click(P::SelectFiles, CSelectFilesPage::kOverwrite);
        QVERIFY(!w.control(P::SelectFiles, CSelectFilesPage::kChange)->isEnabled());
        w.user.answers = {false, true};
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectFiles);
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectOperation);
        const std::string warning = "Warning!!!\n\nYou have chosen to overwrite the data in your original image files\n"
                                    "with the results of this procedure.\nAre you sure you want to proceed?";
        QCOMPARE(w.user.questions, (std::vector<std::string>{warning, warning}));
        QCOMPARE(w.sheet->settings.outputFolder, w.sources.root().string());
        QCOMPARE(folder->text(), QString::fromStdString(w.sources.root().string()));
        w.sheet->Back();
        w.click(P::SelectFiles, CSelectFilesPage::kSave);
        QVERIFY(w.control(P::SelectFiles, CSelectFilesPage::kChange)->isEnabled());
    }

    void operationsFollowTheFirstImagesFormat()
    {
        const struct {
            bool grey;
            std::vector<const char*> offered, absent;
        } cases[] = {
            {false, {"Grayscale", "Extract RGB", "Threshold"}, {"Erosion", "Median Filter", "Clean", "Brightness Slice"}},
            {true, {"Erosion", "Valley Detection", "Median Filter", "Clean", "Brightness Slice"}, {"Grayscale"}},
        };
        for (const auto& c : cases) {
            SeriesWizard w({c.grey ? SeriesGrey(0) : SeriesRgb(0)});
            w.toOperations();
            QCOMPARE(w.operations()->currentItem()->text(), QString("Bound"));
            for (const char* name : c.offered) QCOMPARE(w.operations()->findItems(name, Qt::MatchExactly).size(), 1);
            for (const char* name : c.absent) QCOMPARE(w.operations()->findItems(name, Qt::MatchExactly).size(), 0);
            w.operations()->clearSelection();
            w.sheet->Next();
            QCOMPARE(w.sheet->CurrentPage(), P::SelectOperation);
            QCOMPARE(w.user.errors,
                     (std::vector<std::string>{"Please select an operation from the list provided."}));
        }
    }

    void combSkipsTheAoiAndComesBackToTheOperation()
    {
        SeriesWizard w;
        w.choose("Comb");
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        auto* text = qobject_cast<QTextEdit*>(w.control(P::Confirmation, 2244));
        QCOMPARE(text->toPlainText(), QString("Requested procedure:\n\tComb\nOutput location:\n\t%1\n\nFiles: 1\n"
                                              "A file that cannot be read ends the run.")
                                          .arg(QString::fromStdString(w.out.root().string())));
        w.sheet->Back();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectOperation);
    }

    void scaleIsRefusedOutsideZeroToFourHundred()
    {
        SeriesWizard w;
        w.choose("Scale");
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::TransformParams);
        using F = SeriesTransformFields;
        QVERIFY(!Shown(w, P::TransformParams, F::kDegrees));
        for (int id : {F::kX, F::kY, F::kXPercent, F::kYPercent, F::kXLabel, F::kYLabel})
            QVERIFY(Shown(w, P::TransformParams, id));
        const struct {
            const char* x;
            bool accepted;
        } cases[] = {{"0", false}, {"400.5", false}, {"400", true}};
        for (const auto& c : cases) {
            w.user.errors.clear();
            w.type(P::TransformParams, F::kX, c.x);
            // Marked while typed, before Next refuses it.
            QCOMPARE(w.page(P::TransformParams).FieldMessage(),
                     QString(c.accepted ? "" : "Please enter a value between 0 and 400"));
            w.sheet->Next();
            QCOMPARE(w.sheet->CurrentPage(), c.accepted ? P::Confirmation : P::TransformParams);
            QCOMPARE(w.user.errors, c.accepted ? std::vector<std::string>{}
                                               : std::vector<std::string>{"Please enter a value between 0 and 400"});
            if (!c.accepted) QCOMPARE(w.sheet->focusWidget(), w.control(P::TransformParams, F::kX));
        }
        QCOMPARE(w.sheet->settings.params.scaleX, 400.0);
        // Back from the page checks the numbers only.
        w.sheet->Back();
        w.type(P::TransformParams, F::kY, "y");
        w.sheet->Back();
        QCOMPARE(w.sheet->CurrentPage(), P::TransformParams);
        QCOMPARE(w.user.errors, (std::vector<std::string>{"Please enter a number."}));
    }

    void allMetricBoxesGiveTheWholeMask()
    {
        SeriesWizard w;
        w.choose("Find Objects");
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::ObjectParams);
        w.sheet->Next();
        QCOMPARE(w.user.errors, (std::vector<std::string>{"Please specify an output file"}));
        w.sheet->choosers.dataFile = [&w](QWidget*) { return QString::fromStdString(w.out.path("objects.dat")); };
        w.click(P::ObjectParams, SeriesObjectFields::kBrowse);
        w.sheet->choosers.color = [](QWidget*, const QColor& initial) -> std::optional<QColor> {
            if (initial != QColor(255, 0, 0)) return std::nullopt;
            return QColor(0, 128, 255);
        };
        w.click(P::ObjectParams, SeriesObjectFields::kColor);
        auto& page = static_cast<CSeriesObjectParams&>(w.page(P::ObjectParams));
        QCOMPARE(page.fields.outline.blue, 255);
        for (const MetricBox& box : MetricBoxes())
            QVERIFY(qobject_cast<QCheckBox*>(w.control(P::ObjectParams, box.seriesControl))->isChecked());
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        QCOMPARE(w.sheet->settings.params.metricMask, 2047);
        QCOMPARE(w.sheet->settings.params.resultsFile, w.out.path("objects.dat"));
        w.sheet->Back();
        w.click(P::ObjectParams, 1050);  // orientation angle off
        w.sheet->Next();
        QCOMPARE(w.sheet->settings.params.metricMask, 2047 - 0x200);
    }

    void parameterPagesShowTheirOperationsControls()
    {
        using F = SeriesProcessFields;
        const struct {
            const char* operation;
            bool grey;
            std::vector<int> shown, hidden, enabled, disabled;
        } cases[] = {
            {"Bound", true, {F::kColorGroup, F::kModeGroup}, {F::kLower, F::kEditGroup}, {F::kIntensity}, {F::kRed, F::kPalette}},
            {"Bound", false, {F::kColorGroup}, {F::kBetween}, {F::kRed, F::kGreen, F::kBlue, F::kPalette}, {F::kIntensity}},
            {"Brightness Slice", true, {F::kBetween, F::kLower, F::kAnd, F::kUpper, F::kToWhite}, {F::kColorGroup, F::kEditGroup}, {}, {}},
            {"Threshold", false, {F::kEditGroup}, {F::kColorGroup, F::kModeGroup, F::kUpper}, {F::kComponent}, {}},
            {"Threshold", true, {F::kEditGroup}, {F::kColorGroup}, {}, {F::kComponent}},
            {"Opening", true, {1021, 1015}, {}, {1017}, {}},
            {"Erosion", true, {}, {1021, 1015}, {}, {}},
            {"Prewitt", false, {1028, 1025}, {1026, 1042, 1029}, {}, {1023}},
            {"Unsharp Mask", false, {1026, 1027}, {1028, 1042, 1029}, {1023}, {}},
            {"Clean", true, {1042, 1040, 1029, 1041}, {1028, 1026}, {1023}, {}},
            {"Rotate", false, {1030, 1031, 1038, 1039}, {1033, 1037, 1035}, {}, {}},
        };
        for (const auto& c : cases) {
            SeriesWizard w({c.grey ? SeriesGrey(0) : SeriesRgb(0)});
            w.choose(c.operation);
            w.sheet->Next();
            const P page = w.sheet->CurrentPage();
            for (int id : c.shown) QVERIFY2(Shown(w, page, id), c.operation);
            for (int id : c.hidden) QVERIFY2(!Shown(w, page, id), c.operation);
            for (int id : c.enabled) QVERIFY2(w.control(page, id)->isEnabled(), c.operation);
            for (int id : c.disabled) QVERIFY2(!w.control(page, id)->isEnabled(), c.operation);
        }
    }

    void paletteTakesTheChosenColour()
    {
        SeriesWizard w({SeriesRgb(0)});
        w.choose("Bound");
        w.sheet->Next();
        using F = SeriesProcessFields;
        w.sheet->choosers.color = [](QWidget*, const QColor&) -> std::optional<QColor> { return QColor(1, 2, 3); };
        w.type(P::ProcessParams, F::kGreen, "256");
        w.click(P::ProcessParams, F::kPalette);  // refused before the chooser opens
        QCOMPARE(w.user.errors, (std::vector<std::string>{"Please enter an integer between 0 and 255."}));
        w.type(P::ProcessParams, F::kGreen, "9");
        w.click(P::ProcessParams, F::kPalette);
        QCOMPARE(qobject_cast<QLineEdit*>(w.control(P::ProcessParams, F::kBlue))->text(), QString("3"));
        w.sheet->Next();
        const OperationParams& p = w.sheet->settings.params;
        QCOMPARE((std::array{p.red, p.green, p.blue, p.boundMode}), (std::array{1, 2, 3, 1}));
    }

    void trackerDraggedOutIsPutBackAndBecomesTheAoi()
    {
        SeriesWizard w({MakeGrey(800, 600, [](int x, int) { return x % 256; })});
        w.choose("Invert");
        QCOMPARE(w.sheet->CurrentPage(), P::SelectAoi);
        auto& page = static_cast<CSeriesAoiPage&>(w.page(P::SelectAoi));
        CRectTracker& tracker = page.Tracker();
        const QPoint o = tracker.Origin();  // room for the handles at the picture's edge
        QVERIFY(o.x() >= kTrackerHandleSize && o.y() >= kTrackerHandleSize);
        QCOMPARE((std::array{tracker.Rect().left, tracker.Rect().top, tracker.Rect().right, tracker.Rect().bottom}),
                 (std::array{5, 5, 405, 305}));
        // The bottom-right handle pulled in, then the whole rectangle moved.
        HoverAt(&tracker, o + QPoint(408, 308));
        QCOMPARE(tracker.cursor().shape(), Qt::CrossCursor);
        PressLeft(&tracker, o + QPoint(408, 308));
        DragTo(&tracker, o + QPoint(208, 158));
        ReleaseLeft(&tracker, o + QPoint(208, 158));
        PressLeft(&tracker, o + QPoint(50, 50));
        ReleaseLeft(&tracker, o + QPoint(150, 100));
        const std::array<int, 4> moved{105, 55, 305, 205};
        QCOMPARE(page.Corners()->text(), QString("Upper left corner (200, 100), lower right corner (600, 400)"));
        auto rect = [&tracker] {
            return std::array{tracker.Rect().left, tracker.Rect().top, tracker.Rect().right, tracker.Rect().bottom};
        };
        QCOMPARE(rect(), moved);
        // Dragged partly out of the picture: put back.
        PressLeft(&tracker, o + QPoint(150, 100));
        DragTo(&tracker, o + QPoint(50, 100));
        QCOMPARE(rect()[0], 5);
        ReleaseLeft(&tracker, o + QPoint(40, 100));
        QCOMPARE(rect(), moved);
        PressLeft(&tracker, o + QPoint(308, 208));
        ReleaseLeft(&tracker, o + QPoint(420, 208));
        QCOMPARE(rect(), moved);
        HoverAt(&tracker, o + QPoint(150, 100));
        QVERIFY(tracker.cursor().shape() != Qt::CrossCursor);
        w.sheet->Next();
        const CImage& first = w.sheet->settings.firstImage;
        QCOMPARE((std::array{first.aoiLeft, first.aoiTop, first.aoiRight, first.aoiBottom}),
                 (std::array{200, 100, 600, 400}));
        // Going back keeps the tracker; a new Browse starts it over.
        w.sheet->Back();
        QCOMPARE(rect(), moved);
        w.sheet->Back();
        w.sheet->Back();
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.sheet->Next();
        w.sheet->Next();
        QCOMPARE(rect(), (std::array{5, 5, 405, 305}));
    }

    void trackerHandlesShowOnDarkAndLightImages()
    {
        for (int level : {0, 255}) {
            SeriesWizard w({MakeGrey(80, 60, [level](int, int) { return level; })});
            w.choose("Invert");
            auto& page = static_cast<CSeriesAoiPage&>(w.page(P::SelectAoi));
            CRectTracker& tracker = page.Tracker();
            const QImage shown = tracker.grab().toImage();
            const AoiRect handle = TrackerHandle(tracker.Rect(), TrackerHit::BottomRight);
            const QPoint at = tracker.Origin() + QPoint(handle.right - 1, handle.bottom - 1);
            // A white inside with a black frame.
            QCOMPARE(shown.pixel(at), qRgb(0, 0, 0));
            QCOMPARE(shown.pixel(at - QPoint(kTrackerHandleSize / 2, kTrackerHandleSize / 2)), qRgb(255, 255, 255));
            // The top-left handle whole, inside the widget.
            const AoiRect topLeft = TrackerHandle(tracker.Rect(), TrackerHit::TopLeft);
            QCOMPARE(shown.pixel(tracker.Origin() + QPoint(topLeft.left, topLeft.top)), qRgb(0, 0, 0));
        }
    }

    // Opened again, the wizard starts on its first page with every choice of
    // the last opening: Next leads through them as they were.
    void reopenedWizardKeepsItsChoices()
    {
        Workbench bench;
        std::vector<CSeriesPropSheet*> opened;
        std::vector<SeriesPage> pages;
        SeriesWizard w({MakeGrey(80, 60, [](int x, int) { return x; })});
        for (int k = 0; k < 2; ++k) {
            WhenModal<CSeriesPropSheet>([&](CSeriesPropSheet& sheet) {
                opened.push_back(&sheet);
                pages.push_back(sheet.CurrentPage());
                if (k == 0) {
                    sheet.choosers = w.sheet->choosers;
                    qobject_cast<QPushButton*>(sheet.Page(SeriesPage::SelectFiles).Control(CSelectFilesPage::kBrowse))
                        ->click();
                    sheet.settings.outputFolder = w.out.root().string();
                    sheet.Next();
                    auto* list = qobject_cast<QListWidget*>(
                        sheet.Page(SeriesPage::SelectOperation).Control(CSeriesOperationDlg::kList));
                    list->setCurrentItem(list->findItems("Invert", Qt::MatchExactly).front());
                    sheet.Next();
                    auto& aoi = static_cast<CSeriesAoiPage&>(sheet.Page(SeriesPage::SelectAoi));
                    aoi.Tracker().SetRect({25, 25, 65, 45});
                } else {
                    sheet.Next();
                    sheet.Next();
                    sheet.Next();
                    QCOMPARE(sheet.CurrentPage(), SeriesPage::Confirmation);
                    const CImage& first = sheet.settings.firstImage;
                    QCOMPARE((std::array{first.aoiLeft, first.aoiTop, first.aoiRight, first.aoiBottom}),
                             (std::array{20, 20, 60, 40}));
                }
                sheet.reject();
            });
            QVERIFY(bench.frame().OnCommand(cmd::Series));
        }
        QCOMPARE(opened.size(), size_t(2));
        QCOMPARE(opened[0], opened[1]);
        QCOMPARE(pages, (std::vector<SeriesPage>{SeriesPage::SelectFiles, SeriesPage::SelectFiles}));
    }

    void seriesCommandNeedsNoDocument()
    {
        Workbench w;
        QVERIFY(w.frame().OnCommand(cmd::CloseAll));
        QVERIFY(w.frame().Action(cmd::Series)->isEnabled());
        QString title;
        WhenModal<CSeriesPropSheet>([&title](CSeriesPropSheet& sheet) {
            title = sheet.windowTitle();
            sheet.reject();
        });
        QVERIFY(w.frame().OnCommand(cmd::Series));
        QCOMPARE(title, QString("Series Processing - Select Files"));
    }
};

NUVAK_GUI_TEST(TestSeriesWizard)
#include "SeriesWizardTest.moc"
