#include <gtest/gtest.h>

#include <functional>

#include "series/ConfirmationText.h"
#include "support/TestImages.h"

namespace {

struct TextCase {
    const char* name;
    int format;  // of the first image
    std::function<void(SeriesSettings&)> set;
};

const char* const kSave = "Output location:\n\t/data/out\n";
const char* const kOverwrite =
    "Output location:\n\tOriginal data files will be overwritten with the results of this procedure.\n";
const char* const kAoi = "\nArea of interest:\n\tupper left corner\t(2, 1)\n\tlower right corner\t(7, 4)\n";

const char* const kFiles = "Files: 0\nA file that cannot be read ends the run.";

// The text ends with the files after an empty line.
std::string Expect(const char* name, const std::string& rest, bool overwrite = false, bool aoi = true)
{
    const std::string text = std::string("Requested procedure:\n\t") + name + "\n" + (overwrite ? kOverwrite : kSave) +
                             (aoi ? kAoi : "") + rest;
    return text + (rest.empty() ? "\n" : "\n\n") + kFiles;
}

void Nothing(SeriesSettings&) {}

}  // namespace

TEST(ConfirmationText, EveryStepAndVariant)
{
    const std::vector<std::pair<TextCase, std::string>> cases = {
        {{"Grayscale", FORMAT_RGB, Nothing}, Expect("Grayscale", "", false, false)},
        {{"Extract RGB", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.overwriteChoice = SERIES_OVERWRITE; }},
         Expect("Extract RGB", "", true, false)},
        {{"Comb", FORMAT_RGB, Nothing}, Expect("Comb", "", false, false)},
        {{"Crop", FORMAT_RGB, [](SeriesSettings& s) { s.overwriteChoice = SERIES_OVERWRITE; }},
         "Requested procedure:\n\tCrop\nOutput location:\n\tOriginal data files will be overwritten with the "
         "results of this procedure.\n\nArea of interest:\n\tupper left corner\t(2, 1)\n\tlower right corner\t(7, 4)\n\n"
         "Files: 0\nA file that cannot be read ends the run."},
        // A whole first image stands for whole files; the files counted, unreadable ones skipped.
        {{"Invert", FORMAT_RGB,
          [](SeriesSettings& s) {
              s.firstImage.SetWholeAoi();
              s.AddFile("a.bmp");
              s.AddFile("b.bmp");
              s.skipUnreadable = true;
          }},
         "Requested procedure:\n\tInvert\nOutput location:\n\t/data/out\n\nArea of interest:\n\tthe whole of each "
         "image\n\nFiles: 2\nFiles that cannot be read are skipped."},
        {{"Invert", FORMAT_RGB, Nothing}, Expect("Invert", "")},
        {{"Sobel", FORMAT_GRAYSCALE, Nothing}, Expect("Sobel", "")},
        {{"Flip Horizontal", FORMAT_RGB, Nothing}, Expect("Flip Horizontal", "")},
        {{"Flip Vertical", FORMAT_RGB, Nothing}, Expect("Flip Vertical", "")},
        {{"Erosion", FORMAT_GRAYSCALE, Nothing}, Expect("Erosion", "\nSize: 3x3\nDirection:  Omnidirectional")},
        {{"Dilation", FORMAT_GRAYSCALE,
          [](SeriesSettings& s) { s.params.morphSize = 5, s.params.morphDirection = 1; }},
         Expect("Dilation", "\nSize: 5x5\nDirection:  Horizontal")},
        {{"Outline", FORMAT_GRAYSCALE,
          [](SeriesSettings& s) { s.params.morphSize = 7, s.params.morphDirection = 2; }},
         Expect("Outline", "\nSize: 7x7\nDirection:  Vertical")},
        {{"Gradient", FORMAT_GRAYSCALE,
          [](SeriesSettings& s) { s.params.morphSize = 9, s.params.morphDirection = 3; }},
         Expect("Gradient", "\nSize: 9x9\nDirection:  Diagonal")},
        {{"Opening", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.repetitions = 4; }},
         Expect("Opening", "\nSize: 3x3\nDirection:  Omnidirectional\nRepetitions: 4")},
        {{"Closing", FORMAT_GRAYSCALE, Nothing},
         Expect("Closing", "\nSize: 3x3\nDirection:  Omnidirectional\nRepetitions: 1")},
        {{"Peak Detection", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.repetitions = 5; }},
         Expect("Peak Detection", "\nSize: 3x3\nDirection:  Omnidirectional\nRepetitions: 5")},
        {{"Valley Detection", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.morphSize = 5; }},
         Expect("Valley Detection", "\nSize: 5x5\nDirection:  Omnidirectional\nRepetitions: 1")},
        {{"High Pass Filter", FORMAT_RGB, Nothing}, Expect("High Pass Filter", "\nSize: 3x3")},
        {{"Low Pass Filter", FORMAT_RGB, [](SeriesSettings& s) { s.params.filterSize = 9; }},
         Expect("Low Pass Filter", "\nSize: 9x9")},
        {{"Median Filter", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.filterSize = 5; }},
         Expect("Median Filter", "\nSize: 5x5")},
        {{"Laplace", FORMAT_RGB, [](SeriesSettings& s) { s.params.filterSize = 7; }},
         Expect("Laplace", "\nSize: 7x7")},
        {{"Unsharp Mask", FORMAT_RGB, Nothing}, Expect("Unsharp Mask", "\nSize: 3x3\nBoost factor: 1.00")},
        {{"Unsharp Mask", FORMAT_RGB, [](SeriesSettings& s) { s.params.boost = 2.345, s.params.filterSize = 5; }},
         Expect("Unsharp Mask", "\nSize: 5x5\nBoost factor: 2.35")},
        {{"Clean", FORMAT_GRAYSCALE, Nothing},
         Expect("Clean", "\nSize: 3x3\nClutter Threshold: 150\nSignificance Threshold: 20")},
        {{"Prewitt", FORMAT_RGB, Nothing}, Expect("Prewitt", "\nSize: 3x3\nDirection:  North")},
        {{"Prewitt", FORMAT_RGB, [](SeriesSettings& s) { s.params.prewittDirection = 7; }},
         Expect("Prewitt", "\nSize: 3x3\nDirection:  Northwest")},
        {{"Prewitt", FORMAT_RGB, [](SeriesSettings& s) { s.params.prewittDirection = 3; }},
         Expect("Prewitt", "\nSize: 3x3\nDirection:  Southeast")},
        {{"Rotate", FORMAT_RGB, Nothing}, Expect("Rotate", "\nTheta: 90.00\nBilinear interpolation")},
        {{"Rotate", FORMAT_RGB, [](SeriesSettings& s) { s.params.theta = -12.5, s.params.interpolation = 0; }},
         Expect("Rotate", "\nTheta: -12.50\nNearest Neighbor interpolation")},
        {{"Scale", FORMAT_RGB, [](SeriesSettings& s) { s.params.scaleX = 50, s.params.scaleY = 400; }},
         Expect("Scale", "\nScale factor X: 50.00\nScale factor Y: 400.00\nBilinear interpolation")},
        {{"Find Objects", FORMAT_RGB, [](SeriesSettings& s) { s.params.resultsFile = "/r/objects.dat"; }},
         Expect("Find Objects",
                "\nOutput file: /r/objects.dat\nMetrics:\n\tarea\n\tbounding box\n\tcircumference\n\tcolor"
                "\n\telongation\n\tmajor axis\n\tminor axis\n\tpartiality\n\tperimeter count\n\ttheta\n\troundness")},
        {{"Find Objects", FORMAT_GRAYSCALE,
          [](SeriesSettings& s) { s.params.resultsFile = "o.dat", s.params.metricMask = 0x001 | 0x080 | 0x200; }},
         Expect("Find Objects", "\nOutput file: o.dat\nMetrics:\n\tarea\n\tpartiality\n\ttheta")},
        {{"Find Objects", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.metricMask = 0; }},
         Expect("Find Objects", "\nOutput file: \nMetrics:")},
        {{"Bound", FORMAT_GRAYSCALE, [](SeriesSettings& s) { s.params.intensity = 200, s.params.red = 9; }},
         Expect("Bound", "\nFill color: 200\nBound pixels outside AOI")},
        {{"Bound", FORMAT_RGB,
          [](SeriesSettings& s) { s.params.red = 1, s.params.green = 22, s.params.blue = 255, s.params.boundMode = 0; }},
         Expect("Bound", "\nFill color: (1, 22, 255)\nBound pixels inside AOI")},
        {{"Brightness Slice", FORMAT_GRAYSCALE, Nothing},
         Expect("Brightness Slice", "\nLower limit: 100\nUpper limit: 150")},
        {{"Threshold", FORMAT_RGB, Nothing},
         Expect("Threshold", "\nComponent: \nRGB\nThreshold: 127\nFill value: 0\nEdit pixels below threshold")},
        {{"Threshold", FORMAT_RGB, [](SeriesSettings& s) { s.params.component = 1, s.params.editAbove = 1; }},
         Expect("Threshold", "\nComponent: \nGreen\nThreshold: 127\nFill value: 0\nEdit pixels above threshold")},
        {{"Threshold", FORMAT_GRAYSCALE,
          [](SeriesSettings& s) { s.params.threshold = 9, s.params.fillValue = 255, s.params.component = 0; }},
         Expect("Threshold", "\nThreshold: 9\nFill value: 255\nEdit pixels below threshold")},
        {{"Unknown", FORMAT_RGB, Nothing}, Expect("Unknown", "")},
    };
    for (const auto& [c, expected] : cases) {
        SeriesSettings settings;
        settings.outputFolder = "/data/out";
        settings.operationName = c.name;
        settings.firstImage = c.format == FORMAT_RGB ? MakeImage(10, 6, [](int, int) { return CColorVal(1, 2, 3); })
                                                     : MakeGrey(10, 6, [](int, int) { return 5; });
        settings.firstImage.SetUpperLeft(2, 1, false);
        settings.firstImage.SetLowerRight(7, 4, false);
        c.set(settings);
        EXPECT_EQ(ConfirmationText(settings), expected) << c.name;
    }
}

TEST(ConfirmationText, EndingTexts)
{
    EXPECT_EQ(CompleteText("/o/series_1_2_2026 3_4_5.log"),
              "Image series processing complete.\n\nSee log file:\n/o/series_1_2_2026 3_4_5.log\nfor details.\n\n"
              "Press BACK to perform further image processing or\nPress FINISH to exit the Image Series Wizard.");
    EXPECT_EQ(CompleteText("/o/s.log", false), "Image series processing complete.\n\nSee log file:\n/o/s.log\nfor details.");
    EXPECT_EQ(LogNotOpenedText("/x/l.log"),
              "\n\nImage Series Processing aborted.\nLog file\n/x/l.log\ncould not be opened for output.");
    EXPECT_EQ(EndedText("Stopped.", "/x/l.log"), "\n\nStopped.\n\nSee log file:\n/x/l.log\nfor details.\n");
}
