// Point, flip and histogram operations on a 16 Mpx RGB image with an AOI
// one pixel inside each edge.
#include <benchmark/benchmark.h>

#include "image/Image.h"
#include "processing/HistogramCombos.h"

namespace {

const CImage& PristineImage()
{
    static const CImage image = [] {
        CImage im;
        im.BlankImage(4096, 4096, CColorVal());
        for (int y = 0; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x)
                im.pixelValueArray[y][x] = CColorVal((x * 7 + y) & 255, (x ^ y) & 255, (x * y) & 255);
        im.aoiLeft = im.aoiTop = 1;
        im.aoiRight = im.width - 2;
        im.aoiBottom = im.height - 2;
        return im;
    }();
    return image;
}

template <typename Op>
void Measure(benchmark::State& state, Op op)
{
    // Each operation starts from the same pixels: one that filled the AOI
    // with a single level would otherwise set the next one's input.
    CImage image = PristineImage();
    for (auto _ : state) {
        op(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * image.width * image.height);
}

}  // namespace

BENCHMARK_CAPTURE(Measure, Invert, [](CImage& im) { im.Invert(); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, Threshold, [](CImage& im) { im.Threshold(128, 0, true, 3); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, Bound, [](CImage& im) { im.Bound(0, CColorVal(1, 2, 3)); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, FlipHorizontal, [](CImage& im) { im.FlipHorizontal(); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, FlipVertical, [](CImage& im) { im.FlipVertical(); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, ComputeHistograms, [](CImage& im) { im.ComputeHistograms(); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, SlideChannel, [](CImage& im) { im.SlideChannel(1, 1); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, StretchHistogram, [](CImage& im) { StretchHistogram(im, 0); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Measure, EqualizeHistogram, [](CImage& im) { EqualizeHistogram(im, 2); })
    ->Unit(benchmark::kMillisecond);
