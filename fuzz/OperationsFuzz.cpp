// Every runnable operation of the table, the image calculations and a
// transform round trip, on small random images with random AOIs, parameters
// and answers. Besides running cleanly they must leave a consistent image,
// keep the pixels they promise to keep, and Find Objects must report objects
// that fit their bounding boxes.
#include <algorithm>
#include <complex>
#include <set>

#include "FuzzSupport.h"
#include "platform/Format.h"
#include "series/Operations.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

using platform::Format;

// Operations that change the AOI's pixels only and keep the AOI. The
// neighbourhood operations, which may pull the AOI in, keep the pixels
// outside the first AOI only and need a rule of their own once they run.
const std::set<std::string> kAoiOnly = {"Flip Horizontal", "Flip Vertical", "Invert", "Rotate", "Threshold",
                                        "Brightness Slice", "Stretch", "Equalize", "Slide", "Window"};

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

void RunOperation(const Operation& op, CImage& image, FuzzedDataProvider& data)
{
    const OperationParams params = FuzzParams(data, image.width, image.height);
    const CImage before = image;
    OperationOutputs outputs;
    const int status = op.run(image, params, outputs);
    const std::string what = Format("%s on %d x %d", op.name, before.width, before.height);
    if (status != 0) {
        if (image.errorMessage.empty()) FuzzFail(what + ": failed without a message");
        CheckConsistent(image, what.c_str());
        return;
    }
    CheckConsistent(image, what.c_str());
    for (const ExtraImage& extra : outputs.extras) CheckConsistent(extra.image, (what + ", extra image").c_str());
    const std::string name = op.name;
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

    FakeUserInterface ui;
    for (int i = 0; i < 8; ++i) ui.answers.push_back(data.ConsumeBool());
    CImage image = FuzzImage(data, 16);
    if (choice < ops.size())
        RunOperation(ops[choice], image, data);
    else if (choice < ops.size() + calcs.size())
        RunCalculation(calcs[choice - ops.size()], image, data);
    else
        RunFftRoundTrip(data);
    return 0;
}
