#include "series/Operations.h"

#include <algorithm>

#include "frequency/FilterEllipse.h"
#include "processing/HistogramCombos.h"
#include "processing/FilterFile.h"
#include "image/Calibration.h"
#include "platform/Format.h"

namespace {

using P = ParamId;
using platform::Format;

int RunGrayscale(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.ConvertToGrayscale();
    return 0;
}

int RunRgb(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.ConvertToRgb();
    return 0;
}

int RunExtractRgb(CImage& image, const OperationParams&, OperationOutputs& out)
{
    out.extras.resize(3);
    out.extras[0].suffix = "_red.bmp";
    out.extras[1].suffix = "_green.bmp";
    out.extras[2].suffix = "_blue.bmp";
    image.ExtractRgbPlanes(out.extras[0].image, out.extras[1].image, out.extras[2].image);
    return 0;
}

int RunComb(CImage& image, const OperationParams&, OperationOutputs& out)
{
    out.extras.resize(2);
    out.extras[0].suffix = "_even.bmp";
    out.extras[1].suffix = "_odd.bmp";
    image.Comb(out.extras[0].image, out.extras[1].image);
    return 0;
}

int CropToAoi(CImage& image) { return image.Crop(image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom); }

int RunCrop(CImage& image, const OperationParams&, OperationOutputs&) { return CropToAoi(image); }

int RunRotate(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.Rotate(p.theta, p.interpolation);
}

int RunScale(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.Scale(p.scaleX, p.scaleY, p.interpolation);
}

int RunWindow(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.Window(p.windowType, p.alpha, p.percent);
}

// The spectrum of the AOI alone, as the frequency wizard shows it.
int RunFft(CImage& image, const OperationParams&, OperationOutputs&)
{
    if (CropToAoi(image) != 0) return -1;
    return image.Fft();
}

// The frequency wizard's Apply Filter on the AOI: transform, delete the
// frequencies of the ellipse, transform back.
int RunFftFilter(CImage& image, const OperationParams& p, OperationOutputs&)
{
    if (CropToAoi(image) != 0) return -1;
    int heightExponent, widthExponent;
    if (!image.PowerOfTwoDimensions(heightExponent, widthExponent)) {
        image.errorMessage =
            "To perform an FFT (Fast Fourier Transform) the area of interest width and height must be powers of two.";
        return -1;
    }
    // The ellipse is the AOI of the spectrum.
    if (p.customEllipse) {
        image.SetUpperLeft(p.ellipseLeft, p.ellipseTop, true);
        image.SetLowerRight(p.ellipseRight, p.ellipseBottom, true);
    } else {
        const FilterEllipse ellipse = FilterEllipse::FromSlider(image.width, image.height, p.slider);
        image.SetUpperLeft(ellipse.left, ellipse.top, false);
        image.SetLowerRight(ellipse.right, ellipse.bottom, false);
    }
    if (image.Fft() != 0) return -1;
    // A custom ellipse deletes its inside, as the wizard's Custom filter does.
    image.DeleteEllipseFrequencies(!p.customEllipse && p.filterKind == 0);
    if (image.FftInverse() != 0) return -1;
    image.SetWholeAoi();
    return 0;
}

int RunFlipHorizontal(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.FlipHorizontal();
    return 0;
}

int RunFlipVertical(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.FlipVertical();
    return 0;
}

int RunInvert(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.Invert();
    return 0;
}

// A series takes the fill colour from its first image's format, so every
// file of one run is filled alike.
int RunBound(CImage& image, const OperationParams& p, OperationOutputs&)
{
    const int deciding = p.firstImageFormat != -1 ? p.firstImageFormat : image.format;
    image.Bound(p.boundMode, deciding == FORMAT_RGB ? CColorVal(p.red, p.green, p.blue)
                                                    : CColorVal(p.intensity, p.intensity, p.intensity));
    return 0;
}

int RunBrightnessSlice(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.BrightnessSlice(p.lowerLimit, p.upperLimit);
}

int RunThreshold(CImage& image, const OperationParams& p, OperationOutputs&)
{
    image.Threshold(p.threshold, p.fillValue, p.editAbove == 0, p.component);
    return 0;
}

int RunStretch(CImage& image, const OperationParams& p, OperationOutputs&)
{
    StretchHistogram(image, std::max(p.channel, 0));
    return 0;
}

int RunEqualize(CImage& image, const OperationParams& p, OperationOutputs&)
{
    EqualizeHistogram(image, std::max(p.channel, 0));
    return 0;
}

int RunSlide(CImage& image, const OperationParams& p, OperationOutputs&)
{
    SlideHistogram(image, std::max(p.channel, 0), p.offset);
    return 0;
}

// An area limit in the image's own terms (pixels, or its unit squared), from
// the unit the limit names; "" or why it cannot be converted.
std::string ImageArea(double& value, const std::string& unit, const char* option, const CCalibration& image)
{
    if (unit.empty() || value == 0) return std::string();
    if (unit == "px") {
        if (image.Calibrated()) value *= image.pixelWidth * image.pixelHeight;
        return std::string();
    }
    if (!image.Calibrated())
        return Format("--%s is an area in %s\u00b2, but the image has no pixel size to convert it with "
                      "(set one with Image, Set Scale or --pixel-size W --unit U).",
                      option, unit.c_str());
    const double scale = UnitMetres(unit) / UnitMetres(image.unit);
    value *= scale * scale;
    return std::string();
}

int RunFindObjects(CImage& image, const OperationParams& params, OperationOutputs& out)
{
    CObjectOptions options = ObjectOptionsOf(params);
    for (const std::string& problem : {ImageArea(options.minArea, params.minAreaUnit, "min-area", image.calibration),
                                       ImageArea(options.maxArea, params.maxAreaUnit, "max-area", image.calibration)})
        if (!problem.empty()) {
            image.errorMessage = problem;
            return -1;
        }
    if (image.CentroidDetermination(params.resultsFile, params.metricMask, params.background, options) != 0)
        return -1;
    if (!params.overlayFile.empty()) {
        out.extras.emplace_back();
        out.extras.back().image = image.ObjectOverlay();
        out.extras.back().path = params.overlayFile;
    }
    return 0;
}

// Adapters from the parameter record to the methods that share a signature.
template <int (CImage::*Method)(int)>
int FilterOfSize(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return (image.*Method)(p.filterSize);
}

template <int (CImage::*Method)(int, int)>
int Morphology(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return (image.*Method)(p.morphSize, p.morphDirection);
}

template <int (CImage::*Method)(int, int, int)>
int RepeatedMorphology(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return (image.*Method)(p.morphSize, p.morphDirection, p.repetitions);
}

int RunUnsharpMask(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.UnsharpMask(p.filterSize, p.boost);
}

int RunPrewitt(CImage& image, const OperationParams& p, OperationOutputs&) { return image.Prewitt(p.prewittDirection); }
int RunSobel(CImage& image, const OperationParams&, OperationOutputs&) { return image.Sobel(); }

int RunClean(CImage& image, const OperationParams& p, OperationOutputs&)
{
    return image.Clean(p.filterSize, p.clutterThreshold, p.significanceThreshold, p.background);
}

int RunCustomFilter(CImage& image, const OperationParams& p, OperationOutputs&)
{
    if (p.kernelFile.empty()) {
        image.errorMessage = "Custom Filter needs a filter file (--kernel FILE.ftr).";
        return -1;
    }
    int size = 3;
    std::vector<float> weights;
    const std::string problem = LoadKernel(p.kernelFile, size, weights);
    if (!problem.empty()) {
        image.errorMessage = problem;
        return -1;
    }
    return image.CustomFilter(size, weights);
}

// Rows with a null run are operations still to be built; they are left out
// of the table that callers see.
const std::vector<Operation> kAllRows = {
    {"Grayscale", true, OfferedFor::Rgb, false, false, {}, "convert to grayscale", RunGrayscale},
    {"Extract RGB", true, OfferedFor::Both, false, false, {}, "write the red, green and blue planes", RunExtractRgb},
    {"Comb", true, OfferedFor::Both, false, false, {}, "write the even and odd fields", RunComb},
    {"Flip Horizontal", true, OfferedFor::Both, false, false, {}, "mirror the AOI left to right", RunFlipHorizontal},
    {"Flip Vertical", true, OfferedFor::Both, false, false, {}, "mirror the AOI top to bottom", RunFlipVertical},
    {"Crop", true, OfferedFor::Both, true, false, {}, "crop the image to the AOI", RunCrop},
    {"Invert", true, OfferedFor::Both, false, false, {}, "invert the AOI", RunInvert},
    {"Sobel", true, OfferedFor::Both, true, true, {}, "Sobel edge magnitude", RunSobel},
    {"Erosion", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection}, "grey erosion",
     Morphology<&CImage::Erosion>},
    {"Dilation", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection}, "grey dilation",
     Morphology<&CImage::Dilation>},
    {"Opening", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection, P::Repetitions},
     "grey opening", RepeatedMorphology<&CImage::Opening>},
    {"Closing", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection, P::Repetitions},
     "grey closing", RepeatedMorphology<&CImage::Closing>},
    {"Outline", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection}, "morphological outline",
     Morphology<&CImage::Outline>},
    {"Gradient", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection}, "morphological gradient",
     Morphology<&CImage::MorphologicalGradient>},
    {"Peak Detection", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection, P::Repetitions},
     "peak detector", RepeatedMorphology<&CImage::PeakDetector>},
    {"Valley Detection", true, OfferedFor::Grayscale, true, true, {P::Size, P::MorphDirection, P::Repetitions},
     "valley detector", RepeatedMorphology<&CImage::ValleyDetector>},
    {"High Pass Filter", true, OfferedFor::Both, true, true, {P::Size}, "high pass filter",
     FilterOfSize<&CImage::HighPass>},
    {"Low Pass Filter", true, OfferedFor::Both, true, true, {P::Size}, "low pass filter",
     FilterOfSize<&CImage::LowPass>},
    {"Median Filter", true, OfferedFor::Grayscale, true, true, {P::Size}, "median filter",
     FilterOfSize<&CImage::MedianFilter>},
    {"Unsharp Mask", true, OfferedFor::Both, true, true, {P::Size, P::Boost}, "unsharp mask", RunUnsharpMask},
    {"Laplace", true, OfferedFor::Both, true, true, {P::Size}, "Laplace filter", FilterOfSize<&CImage::Laplace>},
    {"Prewitt", true, OfferedFor::Both, true, true, {P::PrewittDirection}, "Prewitt edge enhancement", RunPrewitt},
    {"Clean", true, OfferedFor::Grayscale, true, true, {P::Size, P::Clutter, P::Significance, P::Background},
     "remove isolated noise", RunClean},
    {"Rotate", true, OfferedFor::Both, true, false, {P::Degrees, P::Interpolation}, "rotate the AOI", RunRotate},
    {"Scale", true, OfferedFor::Both, true, false, {P::ScaleX, P::ScaleY, P::Interpolation}, "scale the image",
     RunScale},
    {"Find Objects", true, OfferedFor::Both, true, false, {P::Results, P::Metrics, P::Background, P::Overlay, P::MinArea, P::MaxArea, P::ExcludeEdge, P::OwnPixels,
      P::Summary, P::MinMajor},
     "find objects and write their metrics", RunFindObjects},
    {"Bound", true, OfferedFor::Both, false, false, {P::Mode, P::Intensity, P::Color},
     "set the pixels inside or outside the AOI", RunBound},
    {"Brightness Slice", true, OfferedFor::Grayscale, true, false, {P::Low, P::High},
     "make the levels between the limits white", RunBrightnessSlice},
    {"Threshold", true, OfferedFor::Both, false, false, {P::Threshold, P::Fill, P::Below, P::Above, P::Component},
     "fill the pixels below or above a threshold", RunThreshold},
    {"RGB", false, OfferedFor::Both, true, false, {}, "mark the image as RGB", RunRgb},
    {"Custom Filter", false, OfferedFor::Both, true, true, {P::Kernel}, "filter with a kernel from a file",
     RunCustomFilter},
    {"Stretch", false, OfferedFor::Both, true, false, {P::Channel}, "stretch the histogram", RunStretch},
    {"Equalize", false, OfferedFor::Both, true, false, {P::Channel}, "equalize the histogram", RunEqualize},
    {"Slide", false, OfferedFor::Both, true, false, {P::Channel, P::Offset}, "slide the histogram", RunSlide},
    {"FFT", false, OfferedFor::Grayscale, true, false, {}, "show the spectrum of the AOI", RunFft},
    {"FFT Filter", false, OfferedFor::Grayscale, true, false, {P::Filter, P::Slider, P::Ellipse},
     "delete frequencies of the AOI", RunFftFilter},
    {"Window", false, OfferedFor::Both, true, false, {P::Window, P::Alpha, P::Percent}, "apply a window function",
     RunWindow},
};

const std::vector<CalcOperation> kCalcRows = {
    {"Add", [](CImage& a, const CImage& b) { return a.AddImage(b); }},
    {"Subtract", [](CImage& a, const CImage& b) { return a.SubtractImage(b); }},
    {"Absolute Difference", [](CImage& a, const CImage& b) { return a.AbsoluteDifference(b); }},
    {"Multiply", [](CImage& a, const CImage& b) { return a.MultiplyImage(b); }},
    {"Divide", [](CImage& a, const CImage& b) { return a.DivideImage(b); }},
};

}  // namespace

const std::vector<Operation>& OperationTable()
{
    static const std::vector<Operation> table = [] {
        std::vector<Operation> rows;
        std::copy_if(kAllRows.begin(), kAllRows.end(), std::back_inserter(rows),
                     [](const Operation& op) { return op.run != nullptr; });
        return rows;
    }();
    return table;
}

const Operation* FindOperation(const std::string& name)
{
    for (const Operation& op : OperationTable())
        if (name == op.name) return &op;
    return nullptr;
}

const std::vector<CalcOperation>& CalcOperationTable() { return kCalcRows; }

const CalcOperation* FindCalcOperation(const std::string& name)
{
    for (const CalcOperation& op : kCalcRows)
        if (name == op.name) return &op;
    return nullptr;
}

CObjectOptions ObjectOptionsOf(const OperationParams& params)
{
    CObjectOptions options;
    options.minArea = params.minArea;
    options.maxArea = params.maxArea;
    options.excludeEdge = params.excludeEdge;
    options.ownPixels = params.ownPixels;
    options.summary = params.summary;
    options.minMajor = params.minMajor;
    return options;
}

void SetObjectOptions(OperationParams& params, const CObjectOptions& options)
{
    params.minArea = options.minArea;
    params.maxArea = options.maxArea;
    params.excludeEdge = options.excludeEdge;
    params.ownPixels = options.ownPixels;
    params.summary = options.summary;
    params.minMajor = options.minMajor;
}
