// The confirmation page's texts, built step by step from the run settings.
#include "series/ConfirmationText.h"

#include "platform/Format.h"
#include "series/Parameters.h"
#include "series/SeriesPages.h"

std::string SkippedText(size_t count)
{
    if (count == 0) return std::string();
    if (count == 1) return "\n\n1 file could not be read and was skipped; the log names it.";
    return platform::Format("\n\n%zu files could not be read and were skipped; the log names them.", count);
}

namespace {

using platform::Format;

// Metric flags in bit order, as the confirmation text lists them.
const char* const kMetricLines[11] = {"\n\tarea",      "\n\tbounding box", "\n\tcircumference", "\n\tcolor",
                                      "\n\telongation", "\n\tmajor axis",   "\n\tminor axis",    "\n\tpartiality",
                                      "\n\tperimeter count", "\n\ttheta",   "\n\troundness"};

// An out-of-range index names nothing rather than reading past the list.
const char* Pick(const char* const* names, int count, int index)
{
    return index >= 0 && index < count ? names[index] : "";
}

// The text with a last paragraph: how many files the run takes and what an
// unreadable one does.
std::string WithFiles(const std::string& text, const SeriesSettings& settings)
{
    return text + (text.back() == '\n' ? "\n" : "\n\n") + Format("Files: %d\n", settings.fileCount) +
           (settings.skipUnreadable ? "Files that cannot be read are skipped." : "A file that cannot be read ends the run.");
}

}  // namespace

std::string ConfirmationText(const SeriesSettings& settings)
{
    const std::string& name = settings.operationName;
    const OperationParams& p = settings.params;
    const CImage& first = settings.firstImage;
    const bool rgbFirst = first.format != FORMAT_GRAYSCALE;
    const SeriesParameterPage page = ParameterPageFor(name);

    std::string text = Format("Requested procedure:\n\t%s\n", name.c_str());
    if (!settings.recipe.empty()) {
        text = Format("Requested procedure:\n\tRecipe %s\n", settings.recipeName.c_str());
        for (const OperationStep& step : settings.recipe) text += "\t\t" + StepCommandLine(step) + "\n";
    }
    text += "Output location:\n";
    text += settings.Overwrites() ? "\tOriginal data files will be overwritten with the results of this procedure.\n"
                                  : "\t" + settings.outputFolder + "\n";
    // Each step names its own AOI and parameters.
    if (!settings.recipe.empty()) return WithFiles(text, settings);
    if (UsesAoi(name) && settings.WholeFiles())
        text += "\nArea of interest:\n\tthe whole of each image\n";
    else if (UsesAoi(name))
        text += Format("\nArea of interest:\n\tupper left corner\t(%d, %d)\n\tlower right corner\t(%d, %d)\n",
                       first.aoiLeft, first.aoiTop, first.aoiRight, first.aoiBottom);
    if (page == SeriesParameterPage::Morphology) {
        text += Format("\nSize: %dx%d", p.morphSize, p.morphSize);
        text += std::string("\nDirection:  ") + Pick(kMorphDirectionNames, 4, p.morphDirection);
    }
    if (UsesRepetitions(name)) text += Format("\nRepetitions: %d", p.repetitions);
    if (page == SeriesParameterPage::Filter) text += Format("\nSize: %dx%d", p.filterSize, p.filterSize);
    if (name == "Unsharp Mask") text += Format("\nBoost factor: %.2f", p.boost);
    if (name == "Clean")
        text += Format("\nClutter Threshold: %d\nSignificance Threshold: %d", p.clutterThreshold,
                       p.significanceThreshold);
    if (name == "Prewitt") text += std::string("\nDirection:  ") + Pick(kPrewittDirectionNames, 8, p.prewittDirection);
    if (name == "Rotate") text += Format("\nTheta: %.2f", p.theta);
    if (name == "Scale") text += Format("\nScale factor X: %.2f\nScale factor Y: %.2f", p.scaleX, p.scaleY);
    if (page == SeriesParameterPage::Transform)
        text += p.interpolation == 0 ? "\nNearest Neighbor interpolation" : "\nBilinear interpolation";
    if (name == "Find Objects") {
        text += Format("\nOutput file: %s\nMetrics:", p.resultsFile.c_str());
        for (int bit = 0; bit < 11; ++bit)
            if (p.metricMask & (1 << bit)) text += kMetricLines[bit];
    }
    if (name == "Bound") {
        text += "\nFill color: ";
        text += rgbFirst ? Format("(%d, %d, %d)", p.red, p.green, p.blue) : Format("%d", p.intensity);
        text += p.boundMode == 0 ? "\nBound pixels inside AOI" : "\nBound pixels outside AOI";
    }
    if (name == "Brightness Slice") text += Format("\nLower limit: %d\nUpper limit: %d", p.lowerLimit, p.upperLimit);
    if (name == "Threshold") {
        if (rgbFirst) text += std::string("\nComponent: \n") + Pick(kComponentNames, 4, p.component);
        text += Format("\nThreshold: %d\nFill value: %d", p.threshold, p.fillValue);
        text += p.editAbove == 0 ? "\nEdit pixels below threshold" : "\nEdit pixels above threshold";
    }
    return WithFiles(text, settings);
}

std::string CompleteText(const std::string& logPath, bool inWizard)
{
    std::string text = Format("Image series processing complete.\n\nSee log file:\n%s\nfor details.", logPath.c_str());
    if (inWizard) text += "\n\nPress BACK to perform further image processing or\nPress FINISH to exit the Image Series Wizard.";
    return text;
}

namespace {

std::string LogFailureText(const std::string& logPath, const char* failure)
{
    return Format("\n\nImage Series Processing aborted.\nLog file\n%s\n%s", logPath.c_str(), failure);
}

}  // namespace

std::string LogNotOpenedText(const std::string& logPath)
{
    return LogFailureText(logPath, "could not be opened for output.");
}

std::string LogNotWrittenText(const std::string& logPath)
{
    return LogFailureText(logPath, "could not be written completely.");
}

std::string EndedText(const std::string& message, const std::string& logPath)
{
    return "\n\n" + message + "\n\nSee log file:\n" + logPath + "\nfor details.\n";
}
