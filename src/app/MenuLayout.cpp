// Where each command sits in the menus and toolbars.
#include "app/MenuLayout.h"

#include "document/CommandIds.h"

namespace {

MenuEntry C(int id) { return {MenuEntry::Command, id, nullptr}; }
MenuEntry Begin(const char* text) { return {MenuEntry::Begin, 0, text}; }
const MenuEntry kSep{MenuEntry::Separator};
const MenuEntry kEnd{MenuEntry::End};

}  // namespace

const std::vector<MenuEntry>& MenuBarLayout()
{
    using namespace cmd;
    static const std::vector<MenuEntry> layout = {
        Begin("&File"), C(FileNew), C(FileOpen), C(FileClose), C(CloseAll), C(FileSave), C(FileSaveAs), kSep,
        C(SaveRecipe), C(ApplyRecipe), kSep, C(OpenResults), kSep, C(Series), C(SixteenBitLevels), kSep, {MenuEntry::RecentFiles}, kSep,
        C(AppExit), kEnd,
        Begin("&Edit"), C(Undo), C(Redo), C(UndoMemory), kSep, C(Copy), C(Paste), C(PasteInto), kSep, C(SelectAll), kEnd,
        Begin("&View"), C(ViewToolbar), C(ViewStatusBar), C(CalculationsToolbar), C(PreprocessingToolbar),
        C(TransformToolbar), C(AnalysisToolbar), C(ViewHistory), C(ViewResults), kSep, C(ZoomIn), C(Zoom1to1), C(ZoomOut),
        C(FitToWindow), kSep,
        C(SelectFeature), C(SelectAoi), C(Measure), kEnd,
        Begin("&Image"), C(Attributes), C(Rgb), C(Grayscale), C(ExtractRgb), C(Comb), kSep, C(Crop), C(Invert),
        C(FlipHorizontal), C(FlipVertical), C(Rotate), C(Scale), C(SetScale), kSep, C(Threshold), C(BrightnessSlice), C(Bound),
        C(Clean), Begin("&Filters"), C(HighPass), C(LowPass), C(Median), C(UnsharpMask), C(CustomFilter), kEnd,
        Begin("&Edge Detection"), C(Laplace), C(Prewitt), C(Sobel), kEnd,
        Begin("&Morphological"), C(Erosion), C(Dilation), C(Opening), C(Closing), C(Outline), C(Gradient),
        C(PeakDetector), C(ValleyDetector), kEnd, kSep, C(Histogram), C(FrequencyDomain), kSep, C(FindObjects),
        C(ClearObjects), kEnd,
        Begin("&Calculations"), C(Add), C(Subtract), C(AbsoluteDifference), C(Multiply), C(Divide), kEnd,
        Begin("&Window"), C(WindowCascade), C(WindowTileHorz), kSep, {MenuEntry::WindowList}, kEnd,
        Begin("&Help"), C(HelpIndex), C(ContextHelp), kSep, C(AppAbout), kEnd,
    };
    return layout;
}

const std::vector<ToolbarLayout>& ToolbarLayouts()
{
    using namespace cmd;
    static const std::vector<ToolbarLayout> layouts = {
        {"mainToolbar", "Standard",
         {FileNew, FileOpen, FileSave, 0, Undo, Copy, Paste, 0, SelectFeature, SelectAoi, Measure, 0, ZoomIn,
          Zoom1to1, ZoomOut, 0, Attributes, Rgb, Grayscale, ExtractRgb, 0, AppAbout, ContextHelp}},
        {"analysisToolbar", "Analysis", {Laplace, Prewitt, Sobel, 0, Histogram, 0, FindObjects, ClearObjects}},
        {"calculationsToolbar", "Calculations", {Add, Subtract, AbsoluteDifference, Multiply, Divide}},
        {"preprocessingToolbar", "Preprocessing", {Bound, BrightnessSlice, Invert, Threshold, HighPass, LowPass,
                                                   FrequencyDomain}},
        {"transformToolbar", "Transform", {Crop, FlipHorizontal, FlipVertical, Rotate, Scale}},
    };
    return layouts;
}
