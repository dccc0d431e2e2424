// Timings of the FFT with its display and of Rotate and Scale on large images.
#include <benchmark/benchmark.h>

#include <random>

#include "image/Image.h"

namespace {

CImage NoiseImage(int width, int height, bool grey)
{
    CImage image;
    image.BlankImage(width, height, CColorVal());
    std::mt19937 rng(1);
    CColorVal* p = image.pixelValueArray.data();
    for (size_t i = 0; i < image.pixelValueArray.size(); ++i) {
        const int v = static_cast<int>(rng() % 256);
        p[i] = grey ? CColorVal(v, v, v) : CColorVal(v, static_cast<int>(rng() % 256), static_cast<int>(rng() % 256));
    }
    if (grey) image.format = FORMAT_GRAYSCALE;
    image.SettleStorage();
    return image;
}

void FftWithDisplay(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const CImage source = NoiseImage(side, side, true);
    for (auto _ : state) {
        state.PauseTiming();
        CImage image = source;
        state.ResumeTiming();
        benchmark::DoNotOptimize(image.Fft());
    }
}
BENCHMARK(FftWithDisplay)->Arg(1024)->Unit(benchmark::kMillisecond);

void FftInverse(benchmark::State& state)
{
    CImage image = NoiseImage(1024, 1024, true);
    image.Fft();
    for (auto _ : state) benchmark::DoNotOptimize(image.FftInverse());
}
BENCHMARK(FftInverse)->Unit(benchmark::kMillisecond);

// Times run on a fresh copy of a 4096 x 4096 image each time; range(0):
// 0 nearest neighbour, 1 bilinear; range(1): 1 grey, 0 RGB.
template <typename Run>
void OnLargeImage(benchmark::State& state, Run run)
{
    const CImage source = NoiseImage(4096, 4096, state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        CImage image = source;
        state.ResumeTiming();
        benchmark::DoNotOptimize(run(image, static_cast<int>(state.range(0))));
    }
}

void Rotate(benchmark::State& state)
{
    OnLargeImage(state, [](CImage& image, int method) { return image.Rotate(30, method); });
}
BENCHMARK(Rotate)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond);

void Scale(benchmark::State& state)
{
    OnLargeImage(state, [](CImage& image, int method) { return image.Scale(75, 125, method); });
}
BENCHMARK(Scale)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond);

}  // namespace
