// Timings of the neighbourhood and morphology operations on 4096 x 4096
// images with a whole-image AOI (shrunk by the answered room question).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/Image.h"

namespace {

constexpr int kSide = 4096;

// A fixed pseudo-random texture, so that every run times the same pixels.
CImage Texture(bool grey)
{
    CImage image;
    image.BlankImage(kSide, kSide, CColorVal());
    std::uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>(state >> 24);
    };
    for (size_t i = 0; i < image.pixelValueArray.size(); ++i) {
        const int v = next();
        image.pixelValueArray.data()[i] = grey ? CColorVal(v, v, v) : CColorVal(v, next(), next());
    }
    image.format = grey ? FORMAT_GRAYSCALE : FORMAT_RGB;
    image.SettleStorage();  // held as a grey file's pixels are
    return image;
}

const CImage& Source(bool grey)
{
    static const CImage greyImage = Texture(true);
    static const CImage rgbImage = Texture(false);
    return grey ? greyImage : rgbImage;
}

struct Timed {
    const char* name;
    bool rgbToo;     // grayscale-only operations are timed on grey only
    bool sized;      // timed at sizes 3 and 9, otherwise once
    std::function<int(CImage&, int)> run;
};

const std::vector<float>& Kernel(bool integral)
{
    static const std::vector<float> whole(81, 1.0f);
    static const std::vector<float> real(81, 1.0f / 81.0f);
    return integral ? whole : real;
}

const Timed kTimed[] = {
    {"LowPass", true, true, [](CImage& i, int n) { return i.LowPass(n); }},
    {"HighPass", true, true, [](CImage& i, int n) { return i.HighPass(n); }},
    {"Laplace", true, true, [](CImage& i, int n) { return i.Laplace(n); }},
    {"UnsharpMask", true, true, [](CImage& i, int n) { return i.UnsharpMask(n, 1.0); }},
    {"CustomFilterIntegral", true, true,
     [](CImage& i, int n) { return i.CustomFilter(n, std::span<const float>(Kernel(true).data(), n * n)); }},
    {"CustomFilterReal", true, true,
     [](CImage& i, int n) { return i.CustomFilter(n, std::span<const float>(Kernel(false).data(), n * n)); }},
    {"Prewitt", true, false, [](CImage& i, int) { return i.Prewitt(0); }},
    {"Sobel", true, false, [](CImage& i, int) { return i.Sobel(); }},
    {"MedianFilter", false, true, [](CImage& i, int n) { return i.MedianFilter(n); }},
    {"Clean", false, true, [](CImage& i, int n) { return i.Clean(n, 150, 20, 0); }},
    {"Erosion", false, true, [](CImage& i, int n) { return i.Erosion(n, 0); }},
    {"ErosionHorizontal", false, true, [](CImage& i, int n) { return i.Erosion(n, 1); }},
    {"ErosionVertical", false, true, [](CImage& i, int n) { return i.Erosion(n, 2); }},
    {"ErosionDiagonal", false, true, [](CImage& i, int n) { return i.Erosion(n, 3); }},
    {"Dilation", false, true, [](CImage& i, int n) { return i.Dilation(n, 0); }},
    {"Opening", false, true, [](CImage& i, int n) { return i.Opening(n, 0, 1); }},
    {"Closing", false, true, [](CImage& i, int n) { return i.Closing(n, 0, 1); }},
    {"Outline", false, true, [](CImage& i, int n) { return i.Outline(n, 0); }},
    {"MorphologicalGradient", false, true, [](CImage& i, int n) { return i.MorphologicalGradient(n, 0); }},
    {"PeakDetector", false, true, [](CImage& i, int n) { return i.PeakDetector(n, 0, 1); }},
    {"ValleyDetector", false, true, [](CImage& i, int n) { return i.ValleyDetector(n, 0, 1); }},
};

void Run(benchmark::State& state, const Timed& timed, bool grey, int n)
{
    CImage image;
    for (auto _ : state) {
        state.PauseTiming();
        image = Source(grey);
        image.SetWholeAoi();
        state.ResumeTiming();
        if (timed.run(image, n) != 0) {
            state.SkipWithError(image.errorMessage.c_str());
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kSide) * kSide);
}

const bool kRegistered = [] {
    for (const Timed& timed : kTimed)
        for (const bool grey : {true, false}) {
            if (!grey && !timed.rgbToo) continue;
            for (const int n : {3, 9}) {
                if (!timed.sized && n != 3) continue;
                std::string name = timed.name;
                name.append(grey ? "/grey" : "/rgb");
                if (timed.sized) name.append(n == 3 ? "/3" : "/9");
                benchmark::RegisterBenchmark(name.c_str(), [&timed, grey, n](benchmark::State& state) {
                    Run(state, timed, grey, n);
                })->Unit(benchmark::kMillisecond);
            }
        }
    return true;
}();

}  // namespace

