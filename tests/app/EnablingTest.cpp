// Which commands the main frame enables for no window, RGB and grayscale
// images, found objects and the undo history; texts of menus and toolbars.
#include <QLabel>
#include <QToolBar>

#include "Workbench.h"
#include "app/CommandTable.h"
#include "document/CommandEnabling.h"
#include "document/CommandIds.h"

class TestEnabling : public QObject {
    Q_OBJECT
private slots:
    void noWindowDisablesEveryImageCommand()
    {
        Workbench w;
        QVERIFY(w.frame().CloseAll());
        QCOMPARE(w.frame().Children().size(), 0);
        for (const CommandText& text : CommandTexts()) {
            const bool expected = text.id == cmd::FileNew || text.id == cmd::FileOpen || text.id == cmd::CloseAll ||
                                  text.id == cmd::AppExit || text.id == cmd::AppAbout || text.id == cmd::HelpIndex ||
                                  text.id == cmd::ContextHelp || text.id == cmd::ViewToolbar ||
                                  text.id == cmd::ViewStatusBar || text.id == cmd::AnalysisToolbar ||
                                  text.id == cmd::CalculationsToolbar || text.id == cmd::PreprocessingToolbar ||
                                  text.id == cmd::TransformToolbar || text.id == cmd::SelectFeature ||
                                  text.id == cmd::SelectAoi || text.id == cmd::Series ||
                                  text.id == cmd::SixteenBitLevels || text.id == cmd::ViewHistory ||
                                  text.id == cmd::UndoMemory || text.id == cmd::OpenResults ||
                                  text.id == cmd::ViewResults;
            QVERIFY2(w.frame().Action(text.id)->isEnabled() == expected, text.menuText);
        }
        QVERIFY(!w.frame().OnCommand(cmd::Attributes));
        QVERIFY(w.user.notices.empty());
    }

    void formatAndObjectRules()
    {
        struct Case {
            int id;
            bool rgb, grey;
        } cases[] = {
            {cmd::Grayscale, true, false}, {cmd::Rgb, false, true},   {cmd::Attributes, true, true},
            {cmd::Crop, true, true},       {cmd::ExtractRgb, true, true}, {cmd::Comb, true, true},
            {cmd::ZoomIn, true, true},     {cmd::ZoomOut, true, true}, {cmd::Zoom1to1, false, false},
            {cmd::ClearObjects, false, false},
        };
        Workbench w;
        for (const Case& c : cases) QVERIFY2(w.frame().Action(c.id)->isEnabled() == c.rgb, "RGB");
        QVERIFY(w.frame().OnCommand(cmd::Grayscale));
        QCOMPARE(w.doc().image.format, int(FORMAT_GRAYSCALE));
        for (const Case& c : cases) QVERIFY2(w.frame().Action(c.id)->isEnabled() == c.grey, "grayscale");

        w.doc().image.objects.resize(1);
        w.doc().UpdateAllViews();  // as after Find Objects
        QVERIFY(w.frame().Action(cmd::ClearObjects)->isEnabled());
        QVERIFY(w.frame().OnCommand(cmd::ClearObjects));
        QVERIFY(!w.frame().Action(cmd::ClearObjects)->isEnabled());
    }

    // Commands with a dialog follow the format rules; Series needs no image.
    void dialogCommandsFollowTheFormatRules()
    {
        Workbench w;
        const struct {
            int id;
            bool rgb, grey;
        } cases[] = {
            {cmd::Threshold, true, true},    {cmd::BrightnessSlice, false, true}, {cmd::Bound, true, true},
            {cmd::Clean, false, true},       {cmd::HighPass, true, true},         {cmd::LowPass, true, true},
            {cmd::Median, false, true},      {cmd::UnsharpMask, true, true},      {cmd::Laplace, true, true},
            {cmd::Prewitt, true, true},      {cmd::Sobel, true, true},            {cmd::Erosion, false, true},
            {cmd::Dilation, false, true},    {cmd::Opening, false, true},         {cmd::Closing, false, true},
            {cmd::Outline, false, true},     {cmd::Gradient, false, true},        {cmd::PeakDetector, false, true},
            {cmd::ValleyDetector, false, true}, {cmd::Rotate, true, true},        {cmd::Scale, true, true},
            {cmd::Invert, true, true},       {cmd::FlipHorizontal, true, true},   {cmd::FlipVertical, true, true},
            {cmd::Add, true, true},          {cmd::Subtract, true, true},         {cmd::AbsoluteDifference, true, true},
            {cmd::Multiply, true, true},     {cmd::Divide, true, true},           {cmd::Histogram, true, true},
            {cmd::FrequencyDomain, false, true},
            {cmd::FindObjects, true, true},  {cmd::CustomFilter, true, true},
            {cmd::Copy, true, true},         {cmd::Series, true, true},
            {cmd::SelectAoi, true, true},    {cmd::Measure, true, true},
        };
        for (const auto& c : cases) QVERIFY2(w.frame().Action(c.id)->isEnabled() == c.rgb, FindCommandText(c.id)->menuText);
        QVERIFY(w.frame().OnCommand(cmd::Grayscale));
        for (const auto& c : cases)
            QVERIFY2(w.frame().Action(c.id)->isEnabled() == c.grey, FindCommandText(c.id)->menuText);
    }

    void undoAndRedoAreEnabledBySnapshots()
    {
        Workbench w;
        QAction* undo = w.frame().Action(cmd::Undo);
        QVERIFY(!undo->isEnabled());
        QVERIFY(w.frame().OnCommand(cmd::Grayscale));
        QVERIFY(undo->isEnabled());
        QVERIFY(w.frame().OnCommand(cmd::Undo));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(w.doc().image.format, int(FORMAT_RGB));
        // Redo goes forward again, by either of its keys.
        QAction* redo = w.frame().Action(cmd::Redo);
        QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
        QVERIFY(redo->isEnabled());
        QVERIFY(w.frame().OnCommand(cmd::Redo));
        QVERIFY(!redo->isEnabled());
        QVERIFY(undo->isEnabled());
        QCOMPARE(w.doc().image.format, int(FORMAT_GRAYSCALE));
    }

    void toolbarTogglesCarryCheckMarks()
    {
        Workbench w;
        const struct {
            int id;
            const char* bar;
        } toggles[] = {{cmd::AnalysisToolbar, "analysisToolbar"},
                       {cmd::CalculationsToolbar, "calculationsToolbar"},
                       {cmd::PreprocessingToolbar, "preprocessingToolbar"},
                       {cmd::TransformToolbar, "transformToolbar"},
                       {cmd::ViewToolbar, "mainToolbar"}};
        for (const auto& t : toggles) {
            QAction* action = w.frame().Action(t.id);
            QToolBar* bar = w.frame().Toolbar(t.bar);
            QVERIFY(action->isChecked());
            QVERIFY(bar->isVisible());
            QVERIFY(w.frame().OnCommand(t.id));
            QVERIFY(!action->isChecked());
            QVERIFY(!bar->isVisible());
            QVERIFY(w.frame().OnCommand(t.id));
            QVERIFY(action->isChecked());
            QVERIFY(bar->isVisible());
        }
    }

    void toolbarsHoldTheirButtonsInOrder()
    {
        Workbench w;
        const struct {
            const char* bar;
            const char* title;
            QStringList tooltips;  // "|" for a separator
        } bars[] = {
            {"mainToolbar", "Standard",
             {"New", "Open", "Save", "|", "Undo", "Copy", "Paste", "|", "Select image feature", "Select AOI",
              "Measure", "|", "Zoom In", "Zoom 1:1", "Zoom Out", "|", "Show Attributes", "RGB", "Grayscale",
              "Extract RGB", "|", "About", "Help"}},
            {"preprocessingToolbar", "Preprocessing",
             {"Bound", "Brightness Slice", "Invert", "Threshold", "High Pass", "Low Pass", "FFT"}},
            {"calculationsToolbar", "Calculations",
             {"Add", "Subtract", "Absolute difference", "Multiply", "Divide"}},
            {"transformToolbar", "Transform", {"Crop", "Flip Horizontal", "Flip Vertical", "Rotate", "Scale"}},
            {"analysisToolbar", "Analysis",
             {"Laplace Edge", "Prewitt Edge", "Sobel Edge", "|", "Histogram", "|", "Find Objects",
              "Clear Objects"}},
        };
        for (const auto& b : bars) {
            QToolBar* bar = w.frame().Toolbar(b.bar);
            QVERIFY(bar);
            QCOMPARE(bar->windowTitle(), QString(b.title));
            QStringList tooltips;
            for (QAction* action : bar->actions()) tooltips << (action->isSeparator() ? "|" : action->toolTip());
            QCOMPARE(tooltips, b.tooltips);
        }
        // One row, left to right: Analysis, Calculations, Transform, Preprocessing.
        const auto x = [&](const char* name) { return w.frame().Toolbar(name)->geometry().x(); };
        QVERIFY(x("analysisToolbar") < x("calculationsToolbar"));
        QVERIFY(x("calculationsToolbar") < x("transformToolbar"));
        QVERIFY(x("transformToolbar") < x("preprocessingToolbar"));
        QCOMPARE(w.frame().Toolbar("analysisToolbar")->geometry().y(),
                 w.frame().Toolbar("preprocessingToolbar")->geometry().y());
    }

    void statusBarPanes()
    {
        Workbench w;
        QCOMPARE(w.frame().StatusText(), QString("For Help, press F1"));
        const char* names[] = {"CAP", "NUM", "SCRL"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.frame().Indicator(i)->text(), QString(names[i]));
            QVERIFY(!w.frame().Indicator(i)->isEnabled());
        }
        QTest::keyClick(&w.frame(), Qt::Key_ScrollLock);
        QVERIFY(w.frame().Indicator(2)->isEnabled());
        QTest::keyClick(&w.frame(), Qt::Key_ScrollLock);
        QVERIFY(!w.frame().Indicator(2)->isEnabled());
        QVERIFY(!w.frame().Indicator(0)->isEnabled());
    }

    void menuTextsPromptsAndKeys()
    {
        Workbench w;
        const struct {
            int id;
            const char* text;
            const char* prompt;
            QList<QKeySequence> keys;
        } cases[] = {
            {cmd::Undo, "&Undo\tCtrl+Z", "Undo the last action",
             {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
            {cmd::Attributes, "Attrib&utes", "Display the attributes of the current image", {}},
            {cmd::ExtractRgb, "E&xtract RGB", "Extract the red, green and blue planes from an image", {}},
            {cmd::Crop, "Cro&p", "Crop the image based on the current area of interest", {}},
            {cmd::ClearObjects, "Clear Ob&jects", "Clear all objects found in the image", {}},
            {cmd::CloseAll, "Close A&ll", "Close all open images", {}},
            {cmd::AnalysisToolbar, "&Analysis Toobar", "Show or hide the Analysis toolbar", {}},
            {cmd::TransformToolbar, "T&ransform Toolbar", "Show or hide the Transform toolbar", {}},
            {cmd::FileNew, "&New", "Create a new image", {QKeySequence("Ctrl+N")}},
            {cmd::FileOpen, "&Open...", "Open an existing image", {QKeySequence("Ctrl+O")}},
            {cmd::AppAbout, "&About NUVAK...", "Display program information, version number and copyright", {}},
            {cmd::ZoomIn, "Zoom &In", "Display the image enlarged by a factor of two",
             {QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}},
        };
        for (const auto& c : cases) {
            QAction* action = w.frame().Action(c.id);
            QCOMPARE(action->text(), QString(c.text));
            QCOMPARE(action->statusTip(), QString(c.prompt));
            QCOMPARE(action->shortcuts(), c.keys);
        }
    }
};

NUVAK_GUI_TEST(TestEnabling)
#include "EnablingTest.moc"
