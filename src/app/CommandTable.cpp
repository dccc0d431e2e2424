// The command texts; prompts and tooltips are shown as they stand.
#include "app/CommandTable.h"

#include "document/CommandIds.h"

namespace {

const std::vector<CommandText> kTexts = {
    // File
    {cmd::FileNew, "&New", "Create a new image", "New", "Ctrl+N", "new"},
    {cmd::FileOpen, "&Open...", "Open an existing image", "Open", "Ctrl+O", "open"},
    {cmd::FileClose, "&Close", "Close the active image", "Close", "", ""},
    {cmd::CloseAll, "Close A&ll", "Close all open images", "Close All", "", ""},
    {cmd::FileSave, "&Save", "Save the active image", "Save", "Ctrl+S", "save"},
    {cmd::FileSaveAs, "Save &As...", "Save the active image with a new name", "Save As", "", ""},
    {cmd::SaveRecipe, "Save &Recipe...", "Save the steps applied to the active image as a recipe", "Save Recipe",
     "", ""},
    {cmd::ApplyRecipe, "A&pply Recipe...", "Apply the steps of a recipe to the active image", "Apply Recipe", "", ""},
    {cmd::OpenResults, "Open Res&ults...",
     "Open an object results file or a series' combined table in the Results window", "Open Results", "", ""},
    {cmd::Series, "S&eries", "Process a series of image files with one operation", "Series", "", ""},
    {cmd::SixteenBitLevels, "16-&bit Levels...", "Choose how 16-bit samples of the files read become 0..255",
     "16-bit Levels", "", ""},
    {cmd::AppExit, "E&xit", "Quit the application; prompts to save images", "Exit", "", ""},
    // Edit
    {cmd::Undo, "&Undo\tCtrl+Z", "Undo the last action", "Undo", "Ctrl+Z;Alt+Backspace", "undo"},
    {cmd::Redo, "&Redo\tCtrl+Y", "Redo the last action undone", "Redo", "Ctrl+Y;Ctrl+Shift+Z", ""},
    {cmd::UndoMemory, "Undo &Memory...", "Set how much memory the undo steps of each image may take",
     "Undo Memory", "", ""},
    {cmd::Copy, "&Copy", "Copy the area of interest to the clipboard", "Copy", "Ctrl+C;Ctrl+Insert", "copy"},
    {cmd::Paste, "&Paste", "Replace the image by the clipboard contents", "Paste", "Ctrl+V;Shift+Insert", "paste"},
    {cmd::PasteInto, "Paste &Into", "Insert Clipboard contents into current image", "Paste Into", "Ctrl+I", ""},
    {cmd::SelectAll, "Select &All", "Make the whole image the area of interest", "Select All", "Ctrl+A", ""},
    // View
    {cmd::ViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle Toolbar", "", ""},
    {cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle Status Bar", "", ""},
    {cmd::CalculationsToolbar, "&Calculations Toolbar", "Show or hide the Calculations toolbar",
     "Calculations Toolbar", "", ""},
    {cmd::PreprocessingToolbar, "&Preprocessing Toolbar", "Show or hide the Preprocessing toolbar",
     "Preprocessing Toolbar", "", ""},
    {cmd::TransformToolbar, "T&ransform Toolbar", "Show or hide the Transform toolbar", "Transform Toolbar", "", ""},
    {cmd::AnalysisToolbar, "&Analysis Toobar", "Show or hide the Analysis toolbar", "Analysis Toolbar", "", ""},
    {cmd::ViewHistory, "&History", "Show or hide the steps applied to the active image", "Toggle History", "", ""},
    {cmd::ViewResults, "Res&ults", "Show or hide the Results window's tables of measurements", "Toggle Results", "",
     ""},
    {cmd::ZoomIn, "Zoom &In", "Display the image enlarged by a factor of two", "Zoom In", "Ctrl++;Ctrl+=", "zoomin"},
    {cmd::Zoom1to1, "Zoom &1:1", "Display the image at its original size", "Zoom 1:1", "Ctrl+0", "zoom11"},
    {cmd::FitToWindow, "Fit to &Window", "Display the image at the largest zoom at which all of it fits",
     "Fit to Window", "", ""},
    {cmd::ZoomOut, "Zoom &Out", "Display the image shrunk by a factor of two", "Zoom Out", "Ctrl+-", "zoomout"},
    {cmd::SelectFeature, "Select image &feature", "Select image feature", "Select image feature", "", "feature"},
    {cmd::SelectAoi, "Se&lect AOI", "Select AOI", "Select AOI", "", "aoi"},
    {cmd::Measure, "&Measure", "Measure", "Measure", "", "measure"},
    // Image
    {cmd::Attributes, "Attrib&utes", "Display the attributes of the current image", "Show Attributes", "",
     "attributes"},
    {cmd::Rgb, "&RGB", "Convert image to RGB", "RGB", "", "rgb"},
    {cmd::Grayscale, "&Grayscale", "Convert image to grayscale", "Grayscale", "", "grayscale"},
    {cmd::ExtractRgb, "E&xtract RGB", "Extract the red, green and blue planes from an image", "Extract RGB", "",
     "extractrgb"},
    {cmd::Comb, "&Comb", "Split the image into its even and odd fields", "Comb", "", ""},
    {cmd::Crop, "Cro&p", "Crop the image based on the current area of interest", "Crop", "", "crop"},
    {cmd::ClearObjects, "Clear Ob&jects", "Clear all objects found in the image", "Clear Ob&jects", "",
     "clearobjects"},
    {cmd::FlipHorizontal, "Flip Hori&zontal", "Flip the current area of interest horizontally around its center",
     "Flip Horizontal", "", "fliph"},
    {cmd::FlipVertical, "Flip &Vertical", "Flip the current area of interest vertically around its center",
     "Flip Vertical", "", "flipv"},
    {cmd::Invert, "&Invert", "Invert the current area of interest", "Invert", "", "invert"},
    {cmd::Sobel, "&Sobel...", "Apply a sobel filter to enhance edges in the current area of interest", "Sobel Edge",
     "", "sobel"},
    {cmd::Rotate, "Rot&ate...", "Rotate the current area of interest", "Rotate", "", "rotate"},
    {cmd::Scale, "&Scale...", "Scale the image in the x and y directions", "Scale", "", "scale"},
    {cmd::SetScale, "Set Sca&le...", "Set the size of a pixel in a unit of length", "Set Scale", "", ""},
    {cmd::Bound, "Boun&d...", "Bound outside or inside the current area of interest", "Bound", "", "bound"},
    {cmd::BrightnessSlice, "&Brightness Slice...",
     "Perform a brightness slice operation on the current area of interest", "Brightness Slice", "", "slice"},
    {cmd::Clean, "Clea&n...", "Apply a clean filter to remove noise near bright objects", "Clean", "", ""},
    {cmd::HighPass, "&High pass filter...", "Apply a high pass filter to the current area of interest", "High Pass",
     "", "highpass"},
    {cmd::LowPass, "&Low pass filter...", "Apply a low pass filter to the current area of interest", "Low Pass", "",
     "lowpass"},
    {cmd::Median, "&Median filter...", "Apply a median filter to the current area of interest", "Median filter", "",
     ""},
    {cmd::UnsharpMask, "&Unsharp Mask filter...", "Perform an Unsharp Mask enhancement on the current area of interest",
     "Unsharp Mask", "", ""},
    {cmd::CustomFilter, "&Custom filter...", "Apply a custom filter to the current area of interest", "Custom Filter",
     "", ""},
    {cmd::FrequencyDomain, "Fre&quency domain",
     "View the image Fast Fourier Transform and perform processing in the frequency domain", "FFT", "", "fft"},
    {cmd::Threshold, "&Threshold...", "Threshold the current area of interest", "Threshold", "", "threshold"},
    {cmd::Laplace, "&Laplace...", "Apply a laplacian filter to enhance edges in the current area of interest",
     "Laplace Edge", "", "laplace"},
    {cmd::Prewitt, "&Prewitt...", "Apply a directional prewitt filter to enhance edges in the current area of interest",
     "Prewitt Edge", "", "prewitt"},
    {cmd::Histogram, "&Histogram", "Display a histogram of the current area of interest", "Histogram", "",
     "histogram"},
    {cmd::Erosion, "&Erosion...", "Apply an erosion operation to the current area of interest", "Erosion", "", ""},
    {cmd::Dilation, "&Dilation...", "Apply a dilation operation to the current area of interest", "Dilation", "", ""},
    {cmd::Opening, "&Opening...", "Apply an opening operation to the current area of interest", "Opening", "", ""},
    {cmd::Closing, "&Closing...", "Apply a closing operation to the current area of interest", "Closing", "", ""},
    {cmd::Outline, "O&utline...", "Apply an outlining operation to the current area of interest", "Outline", "", ""},
    {cmd::Gradient, "&Gradient...", "Apply a morphological gradient operation to the current area of interest",
     "Gradient", "", ""},
    {cmd::PeakDetector, "&Peak Detector...", "Find the bright peaks in the current area of interest", "Peak Detector",
     "", ""},
    {cmd::ValleyDetector, "&Valley Detector...", "Find the dark valleys in the current area of interest",
     "Valley Detector", "", ""},
    {cmd::FindObjects, "Find &Objects...", "Find objects in the current area of interest", "Find Objects", "",
     "findobjects"},
    // Calculations
    {cmd::Add, "&Add...", "Add two images", "Add", "", "add"},
    {cmd::Subtract, "&Subtract...", "Subtract one image from another", "Subtract", "", "subtract"},
    {cmd::AbsoluteDifference, "A&bsolute Difference...", "Absolute difference of two images", "Absolute difference",
     "", "absdiff"},
    {cmd::Multiply, "&Multiply...", "Multiply two images", "Multiply", "", "multiply"},
    {cmd::Divide, "&Divide...", "Divide one image by another", "Divide", "", "divide"},
    // Window
    {cmd::WindowCascade, "&Cascade", "Arrange windows so they overlap", "Cascade Windows", "", ""},
    {cmd::WindowTileHorz, "&Tile", "Arrange windows as non-overlapping tiles", "Tile Windows", "", ""},
    // Help
    {cmd::HelpIndex, "&Help Topics", "List Help topics", "Help Topics", "F1", ""},
    {cmd::ContextHelp, "What's &This?", "Display help for clicked on buttons, menus and windows", "Help",
     "Shift+F1", "contexthelp"},
    {cmd::AppAbout, "&About NUVAK...", "Display program information, version number and copyright", "About", "",
     "about"},
};

}  // namespace

const std::vector<CommandText>& CommandTexts() { return kTexts; }

const CommandText* FindCommandText(int id)
{
    for (const CommandText& text : kTexts)
        if (text.id == id) return &text;
    return nullptr;
}
