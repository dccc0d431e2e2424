// Every runnable operation of the table, the image calculations and a
// transform round trip, on small random images with random AOIs, parameters
// and answers. Besides running cleanly they must leave a consistent image,
// keep the pixels they promise to keep (byte for byte, also when the
// neighbourhood operations pull the AOI in), and Find Objects must report
// objects that fit their bounding boxes.
#include <algorithm>
#include <complex>
#include <optional>
#include <set>

#include "FuzzSupport.h"
#include "platform/Format.h"
#include "series/Operations.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

using platform::Format;

// Operations that change the AOI's pixels only and keep the AOI.
const std::set<std::string> kAoiOnly = {"Flip Horizontal", "Flip Vertical", "Invert", "Rotate", "Threshold",
                                        "Brightness Slice", "Stretch", "Equalize", "Slide", "Window"};
// Operations whose result is a new image or that may change every pixel.
const std::set<std::string> kWholeImage = {"Grayscale", "RGB", "Extract RGB", "Comb", "Crop", "Scale",
                                           "FFT", "FFT Filter", "Bound", "Find Objects"};

// What a neighbourhood operation may change once it has settled its AOI,
// which is the AOI it was given or that AOI shrunk by half its size.
enum class Reach {
    Aoi,         // the pixels of the settled AOI; nothing when it fails
    Steps,       // the same, also when a later step fails
    Difference,  // the settled AOI, and every pixel outside it turns black; nothing when it fails
    Clean,       // may invert the AOI it was given, then zero pixels of the settled AOI
};

struct NeighbourhoodRule {
    const char* name;
    Reach reach;
    int (*size)(const OperationParams&, int kernelSize);
};

int FilterSize(const OperationParams& p, int) { return p.filterSize; }
int MorphSize(const OperationParams& p, int) { return p.morphSize; }
int ThreeByThree(const OperationParams&, int) { return 3; }
int KernelSize(const OperationParams&, int kernelSize) { return kernelSize; }

const NeighbourhoodRule kNeighbourhood[] = {
    {"Low Pass Filter", Reach::Aoi, FilterSize},     {"High Pass Filter", Reach::Aoi, FilterSize},
    {"Laplace", Reach::Aoi, FilterSize},             {"Unsharp Mask", Reach::Aoi, FilterSize},
    {"Median Filter", Reach::Aoi, FilterSize},       {"Custom Filter", Reach::Aoi, KernelSize},
    {"Prewitt", Reach::Aoi, ThreeByThree},           {"Sobel", Reach::Aoi, ThreeByThree},
    {"Erosion", Reach::Aoi, MorphSize},              {"Dilation", Reach::Aoi, MorphSize},
    {"Opening", Reach::Steps, MorphSize},            {"Closing", Reach::Steps, MorphSize},
    {"Outline", Reach::Difference, MorphSize},       {"Gradient", Reach::Difference, MorphSize},
    {"Peak Detection", Reach::Difference, MorphSize}, {"Valley Detection", Reach::Difference, MorphSize},
    {"Clean", Reach::Clean, FilterSize},
};

const NeighbourhoodRule* FindNeighbourhoodRule(const std::string& name)
{
    for (const NeighbourhoodRule& rule : kNeighbourhood)
        if (name == rule.name) return &rule;
    return nullptr;
}

// Every operation of the table has a rule here, so that a new one is not
// fuzzed without its promises checked.
void CheckEveryOperationHasARule()
{
    for (const Operation& op : OperationTable())
        if (!kAoiOnly.count(op.name) && !kWholeImage.count(op.name) && !FindNeighbourhoodRule(op.name))
            FuzzFail(Format("%s has no rule for the pixels it may change", op.name));
}

template <typename T>
T Pick(FuzzedDataProvider& data, std::initializer_list<T> values)
{
    return *(values.begin() + data.ConsumeIntegralInRange<size_t>(0, values.size() - 1));
}

// Parameters within the ranges that the dialogs and the CLI accept.
OperationParams FuzzParams(FuzzedDataProvider& data, int width, int height)
{
    OperationParams p;
    p.morphSize = p.filterSize = Pick(data, {3, 5, 7, 9});
    p.morphDirection = data.ConsumeIntegralInRange(0, 3);
    p.repetitions = data.ConsumeIntegralInRange(1, 5);
    p.prewittDirection = data.ConsumeIntegralInRange(0, 7);
    p.boost = data.ConsumeFloatingPointInRange(0.0, 10.0);
    p.clutterThreshold = data.ConsumeIntegralInRange(0, 20655);
    p.significanceThreshold = data.ConsumeIntegralInRange(0, 255);
    p.background = Pick(data, {-1, 0, 255});
    p.theta = data.ConsumeFloatingPointInRange(-360.0, 360.0);
    p.scaleX = data.ConsumeFloatingPointInRange(0.01, 400.0);
    p.scaleY = data.ConsumeFloatingPointInRange(0.01, 400.0);
    p.interpolation = data.ConsumeIntegralInRange(0, 1);
    p.resultsFile = ScratchFolder() + "/results.dat";
    p.metricMask = data.ConsumeIntegralInRange(0, 2047);
    p.intensity = data.ConsumeIntegral<std::uint8_t>();
    p.red = data.ConsumeIntegral<std::uint8_t>();
    p.green = data.ConsumeIntegral<std::uint8_t>();
    p.blue = data.ConsumeIntegral<std::uint8_t>();
    p.boundMode = data.ConsumeIntegralInRange(0, 1);
    p.lowerLimit = data.ConsumeIntegral<std::uint8_t>();
    p.upperLimit = data.ConsumeIntegral<std::uint8_t>();
    p.threshold = data.ConsumeIntegral<std::uint8_t>();
    p.fillValue = data.ConsumeIntegral<std::uint8_t>();
    p.editAbove = data.ConsumeIntegralInRange(0, 1);
    p.component = data.ConsumeIntegralInRange(0, 3);
    p.firstImageFormat = data.ConsumeIntegralInRange(-1, 1);
    p.channel = data.ConsumeIntegralInRange(0, 2);
    p.offset = data.ConsumeIntegralInRange(-255, 255);
    p.windowType = data.ConsumeIntegralInRange(0, 4);
    p.alpha = data.ConsumeFloatingPointInRange(0.5, 1.0);
    p.percent = data.ConsumeIntegralInRange(0, 100);
    p.filterKind = data.ConsumeIntegralInRange(0, 1);
    p.slider = data.ConsumeIntegralInRange(0, 100);
    p.customEllipse = data.ConsumeBool();
    p.ellipseLeft = data.ConsumeIntegralInRange(-2, width + 1);
    p.ellipseTop = data.ConsumeIntegralInRange(-2, height + 1);
    p.ellipseRight = data.ConsumeIntegralInRange(p.ellipseLeft, width + 1);
    p.ellipseBottom = data.ConsumeIntegralInRange(p.ellipseTop, height + 1);
    return p;
}

// A kernel file of random size and weights (whole numbers small and large,
// decimals, fractions) for Custom Filter; its size.
int WriteKernel(FuzzedDataProvider& data, const std::string& path)
{
    const int size = Pick(data, {3, 5, 7, 9});
    std::string text = std::to_string(size) + "\r\n";
    for (int i = 0; i < size * size; ++i)
        text += Pick<const char*>(data, {"0", "1", "-1", "2", "130", "-70000", "1/9", "-1/8", "0.5", "1/3"}) +
                std::string("\r\n");
    WriteFileBytes(path, text);
    return size;
}

struct Aoi {
    int left, top, right, bottom;
    friend bool operator==(const Aoi&, const Aoi&) = default;
    bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Aoi AoiOf(const CImage& image) { return {image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}; }

// What the user answered to the first question that starts with text; the
// fake user says Yes once its scripted answers are used up.
std::optional<bool> AnswerTo(const FakeUserInterface& ui, const std::vector<bool>& answers, const std::string& text)
{
    for (size_t i = 0; i < ui.questions.size(); ++i)
        if (ui.questions[i].starts_with(text)) return i < answers.size() ? answers[i] : true;
    return std::nullopt;
}

// The pixels a neighbourhood operation left: byte for byte as its reach
// allows, and the AOI as given or shrunk after the room question.
void CheckNeighbourhood(const NeighbourhoodRule& rule, int n, const CImage& before, const CImage& image, int status,
                        const FakeUserInterface& ui, const std::vector<bool>& answers, const std::string& what)
{
    const Aoi given = AoiOf(before);
    const Aoi settled = AoiOf(image);
    const int half = n / 2;
    const Aoi shrunk = {std::max(given.left, half), std::max(given.top, half),
                        std::min(given.right, before.width - half - 1), std::min(given.bottom, before.height - half - 1)};
    const std::string roomQuestion = Format("The current filter size is %dx%d.\n", n, n);
    const std::optional<bool> shrink = AnswerTo(ui, answers, roomQuestion);
    const bool unchangedOnFailure = rule.reach == Reach::Aoi || rule.reach == Reach::Difference;
    // A Yes shrinks the AOI when that leaves more than one row and column;
    // a difference operation shrinks its own only when it succeeds.
    const bool shrinks = shrink == true && shrunk.left < shrunk.right && shrunk.top < shrunk.bottom &&
                         !(rule.reach == Reach::Difference && status != 0);
    if (settled != (shrinks ? shrunk : given))
        FuzzFail(Format("%s: AOI (%d, %d)-(%d, %d) settled as (%d, %d)-(%d, %d)", what.c_str(), given.left, given.top,
                        given.right, given.bottom, settled.left, settled.top, settled.right, settled.bottom));
    if (std::count_if(ui.questions.begin(), ui.questions.end(),
                      [&](const std::string& q) { return q.starts_with(roomQuestion); }) > 1)
        FuzzFail(what + ": the room question was asked more than once");

    const bool inverted = rule.reach == Reach::Clean &&
                          AnswerTo(ui, answers, "Clean is designed to work on images with light objects") == true;
    const CColorVal black(0, 0, 0);
    auto allowed = [&](int x, int y, CColorVal was, CColorVal now) {
        if (status != 0 && unchangedOnFailure) return now == was;
        if (rule.reach == Reach::Clean) {
            const CColorVal base =
                inverted && given.Holds(x, y) ? CColorVal(255 - was.red, 255 - was.green, 255 - was.blue) : was;
            return now == base || (status == 0 && settled.Holds(x, y) && now == black);
        }
        if (settled.Holds(x, y)) return true;
        return now == (rule.reach == Reach::Difference && status == 0 ? black : was);
    };
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const CColorVal was = before.pixelValueArray[y][x];
            const CColorVal now = image.pixelValueArray[y][x];
            if (!allowed(x, y, was, now))
                FuzzFail(Format("%s (%s): pixel (%d, %d) went from (%d, %d, %d) to (%d, %d, %d)", what.c_str(),
                                status == 0 ? "done" : "failed", x, y, was.red, was.green, was.blue, now.red,
                                now.green, now.blue));
        }
}

void CheckObjects(const CImage& image)
{
    int number = 0;
    for (const CFoundObject& o : image.objects) {
        ++number;
        if (o.left < image.aoiLeft || o.right > image.aoiRight || o.top < image.aoiTop || o.bottom > image.aoiBottom)
            FuzzFail(Format("object %d: box (%d, %d)-(%d, %d) leaves the AOI", number, o.left, o.top, o.right,
                            o.bottom));
        for (const CBoundaryPoint& b : o.boundaryPoints)
            if (b.x < o.left || b.x > o.right || b.y < o.top || b.y > o.bottom)
                FuzzFail(Format("object %d: boundary point (%d, %d) outside its box", number, b.x, b.y));
        const long long box = (o.right - o.left + 1LL) * (o.bottom - o.top + 1LL);
        if (o.area < 1 || o.area > box) FuzzFail(Format("object %d: area %d for a box of %lld", number, o.area, box));
    }
}

void RunOperation(const Operation& op, CImage& image, FuzzedDataProvider& data, const FakeUserInterface& ui,
                  const std::vector<bool>& answers)
{
    OperationParams params = FuzzParams(data, image.width, image.height);
    const std::string name = op.name;
    int kernelSize = 0;
    if (name == "Custom Filter") {
        params.kernelFile = ScratchFolder() + "/kernel.ftr";
        kernelSize = WriteKernel(data, params.kernelFile);
    }
    const CImage before = image;
    OperationOutputs outputs;
    const int status = op.run(image, params, outputs);
    const std::string what = Format("%s on %d x %d", op.name, before.width, before.height);
    if (const NeighbourhoodRule* rule = FindNeighbourhoodRule(name))
        CheckNeighbourhood(*rule, rule->size(params, kernelSize), before, image, status, ui, answers, what);
    if (status != 0) {
        if (image.errorMessage.empty()) FuzzFail(what + ": failed without a message");
        CheckConsistent(image, what.c_str());
        return;
    }
    CheckConsistent(image, what.c_str());
    for (const ExtraImage& extra : outputs.extras) CheckConsistent(extra.image, (what + ", extra image").c_str());
    if (kAoiOnly.count(name) && !SameOutsideAoi(before, image)) FuzzFail(what + ": changed pixels outside the AOI");
    if (kAoiOnly.count(name) && (image.aoiLeft != before.aoiLeft || image.aoiTop != before.aoiTop ||
                                 image.aoiRight != before.aoiRight || image.aoiBottom != before.aoiBottom))
        FuzzFail(what + ": moved the AOI");
    if (name == "Bound" && params.boundMode == 0 && !SameOutsideAoi(before, image))
        FuzzFail(what + ": inside mode changed pixels outside the AOI");
    if (name == "Bound" && params.boundMode == 1 && !SameInsideAoi(before, image))
        FuzzFail(what + ": outside mode changed pixels inside the AOI");
    if (name == "Find Objects") {
        if (!SameImage(before, image)) FuzzFail(what + ": changed the image");
        CheckObjects(image);
    }
}

void RunCalculation(const CalcOperation& calc, CImage& image, FuzzedDataProvider& data)
{
    CImage other = FuzzImage(data, 4);
    // Mostly of the same size and format, so the arithmetic itself runs.
    if (data.ConsumeBool()) {
        other = image;
        for (size_t i = 0; i < other.pixelValueArray.size(); ++i) {
            const std::uint8_t v = data.ConsumeIntegral<std::uint8_t>();
            other.pixelValueArray.data()[i] = image.format == FORMAT_GRAYSCALE ? CColorVal(v, v, v)
                                                                               : CColorVal(v, 255 - v, v / 2);
        }
    }
    const int status = calc.run(image, other);
    const std::string what = Format("%s on %d x %d", calc.name, image.width, image.height);
    if (status != 0 && image.errorMessage.empty()) FuzzFail(what + ": failed without a message");
    CheckConsistent(image, what.c_str());
}

// The forward and the inverse transform give every level back within
// rounding noise.
void RunFftRoundTrip(FuzzedDataProvider& data)
{
    const int width = 1 << data.ConsumeIntegralInRange(0, 4);
    const int height = 1 << data.ConsumeIntegralInRange(0, 4);
    CImage image = MakeGrey(width, height, [&data](int, int) { return data.ConsumeIntegral<std::uint8_t>(); });
    const CImage source = image;
    const std::string what = Format("FFT and inverse on %d x %d", width, height);
    if (image.Fft() != 0 || image.FftInverse() != 0) FuzzFail(what + ": " + image.errorMessage);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::complex<double> value = image.dataArray[y][x];
            const int level = source.pixelValueArray[y][x].red;
            if (std::abs(value.real() - level) > 1e-6 || std::abs(value.imag()) > 1e-6)
                FuzzFail(Format("%s: (%d, %d) comes back as %g%+gi, not %d", what.c_str(), x, y, value.real(),
                                value.imag(), level));
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const auto& ops = OperationTable();
    const auto& calcs = CalcOperationTable();
    // One choice past the tables is the transform round trip.
    const size_t choice = data.ConsumeIntegralInRange<size_t>(0, ops.size() + calcs.size());

    static const bool everyOperationHasARule = (CheckEveryOperationHasARule(), true);
    (void)everyOperationHasARule;

    FakeUserInterface ui;
    std::vector<bool> answers;
    for (int i = 0; i < 8; ++i) answers.push_back(data.ConsumeBool());
    ui.answers.assign(answers.begin(), answers.end());
    CImage image = FuzzImage(data, 16);
    if (choice < ops.size())
        RunOperation(ops[choice], image, data, ui, answers);
    else if (choice < ops.size() + calcs.size())
        RunCalculation(calcs[choice - ops.size()], image, data);
    else
        RunFftRoundTrip(data);
    return 0;
}
