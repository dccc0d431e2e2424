// Bands of rows: every row once, failures raised, and every operation that
// splits its rows gives the same bytes with 1, 2 and 3 threads.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/Image.h"
#include "processing/HistogramCombos.h"
#include "platform/ParallelRows.h"
#include "support/FakeUserInterface.h"
#include "support/RandomImages.h"
#include "support/SamePixels.h"

namespace {

struct Operation {
    const char* what;
    bool grey;
    int n;  // the room the AOI needs
    std::function<int(CImage&, std::mt19937&)> run;
};

std::vector<float> RealWeights(std::mt19937& random)
{
    std::uniform_real_distribution<float> weight(-2.0f, 2.0f);
    std::vector<float> w(25);
    for (float& v : w) v = weight(random);
    return w;
}

double Between(std::mt19937& random, double lo, double hi)
{
    return std::uniform_real_distribution<double>(lo, hi)(random);
}

const Operation kOperations[] = {
    {"LowPass grey", true, 5, [](CImage& i, std::mt19937&) { return i.LowPass(5); }},
    {"LowPass RGB", false, 3, [](CImage& i, std::mt19937&) { return i.LowPass(3); }},
    {"HighPass", false, 7, [](CImage& i, std::mt19937&) { return i.HighPass(7); }},
    {"Laplace", false, 3, [](CImage& i, std::mt19937&) { return i.Laplace(3); }},
    {"UnsharpMask", false, 5, [](CImage& i, std::mt19937& r) { return i.UnsharpMask(5, Between(r, -3, 3)); }},
    {"CustomFilter integral", false, 3,
     [](CImage& i, std::mt19937&) { return i.CustomFilter(3, std::vector<float>{1, -2, 3, 0, 5, 0, -1, 2, 1}); }},
    {"CustomFilter real", false, 5, [](CImage& i, std::mt19937& r) { return i.CustomFilter(5, RealWeights(r)); }},
    {"Prewitt", false, 3, [](CImage& i, std::mt19937& r) { return i.Prewitt(static_cast<int>(r() % 8)); }},
    {"Sobel", false, 3, [](CImage& i, std::mt19937&) { return i.Sobel(); }},
    {"MedianFilter 3", true, 3, [](CImage& i, std::mt19937&) { return i.MedianFilter(3); }},
    {"MedianFilter 7", true, 7, [](CImage& i, std::mt19937&) { return i.MedianFilter(7); }},
    {"Clean", true, 5, [](CImage& i, std::mt19937& r) { return i.Clean(5, static_cast<int>(r() % 2000), 40, 0); }},
    {"Erosion square", true, 5, [](CImage& i, std::mt19937&) { return i.Erosion(5, 0); }},
    {"Dilation horizontal", true, 3, [](CImage& i, std::mt19937&) { return i.Dilation(3, 1); }},
    {"Erosion vertical", true, 9, [](CImage& i, std::mt19937&) { return i.Erosion(9, 2); }},
    {"Dilation diagonal", true, 7, [](CImage& i, std::mt19937&) { return i.Dilation(7, 3); }},
    {"Rotate nearest", false, 3, [](CImage& i, std::mt19937& r) { return i.Rotate(Between(r, -360, 360), 0); }},
    {"Rotate bilinear", false, 3, [](CImage& i, std::mt19937& r) { return i.Rotate(Between(r, -360, 360), 1); }},
    {"Scale nearest", false, 3,
     [](CImage& i, std::mt19937& r) { return i.Scale(Between(r, 20, 300), Between(r, 20, 300), 0); }},
    {"Scale bilinear", false, 3,
     [](CImage& i, std::mt19937& r) { return i.Scale(Between(r, 20, 300), Between(r, 20, 300), 1); }},
    {"Invert", false, 3, [](CImage& i, std::mt19937&) { return i.Invert(), 0; }},
    {"Threshold all", false, 3,
     [](CImage& i, std::mt19937& r) { return i.Threshold(static_cast<int>(r() % 256), 7, r() % 2 == 0, 3), 0; }},
    {"Threshold green", false, 3,
     [](CImage& i, std::mt19937& r) { return i.Threshold(static_cast<int>(r() % 256), 200, r() % 2 == 0, 1), 0; }},
    {"BrightnessSlice", true, 3, [](CImage& i, std::mt19937&) { return i.BrightnessSlice(60, 180); }},
    {"Bound inside", false, 3, [](CImage& i, std::mt19937&) { return i.Bound(0, CColorVal(1, 2, 3)), 0; }},
    {"FlipHorizontal", false, 3, [](CImage& i, std::mt19937&) { return i.FlipHorizontal(), 0; }},
    {"Equalize", false, 3,
     [](CImage& i, std::mt19937& r) { return EqualizeHistogram(i, static_cast<int>(r() % 3)), 0; }},
};

}  // namespace

TEST(ParallelRows, EveryRowOnceWhateverTheThreads)
{
    const struct {
        int begin, end, threads;
    } cases[] = {{0, 1, 2}, {0, 2, 3}, {5, 6, 8}, {0, 100, 1}, {0, 100, 2}, {3, 100, 3}, {-7, 10, 7}, {0, 0, 2}};
    for (const auto& c : cases) {
        const parallel::ScopedThreads threads(c.threads, 0);
        std::vector<int> visits(static_cast<size_t>(std::max(c.end - c.begin, 0)), 0);
        parallel::ForBands(c.begin, c.end, 1, [&](int first, int last) {
            for (int row = first; row < last; ++row) ++visits[static_cast<size_t>(row - c.begin)];
        });
        for (size_t i = 0; i < visits.size(); ++i) EXPECT_EQ(visits[i], 1) << c.begin << ".." << c.end << " row " << i;
    }
}

TEST(ParallelRows, SmallImagesStayOnOneThread)
{
    const parallel::ScopedThreads threads(3);
    int bands = 0;
    parallel::ForBands(0, 100, 100, [&](int, int) { ++bands; });
    EXPECT_EQ(bands, 1);
}

TEST(ParallelRows, AFailingBandIsRaisedAfterAllHaveRun)
{
    for (const int failing : {0, 1, 2}) {
        const parallel::ScopedThreads threads(3, 0);
        std::vector<int> ran(3, 0);
        EXPECT_THROW(parallel::ForBands(0, 3, 1,
                                        [&](int first, int) {
                                            ran[static_cast<size_t>(first)] = 1;
                                            if (first == failing) throw std::bad_alloc();
                                        }),
                     std::bad_alloc)
            << failing;
        EXPECT_EQ(ran, std::vector<int>({1, 1, 1})) << failing;
    }
}

TEST(ParallelRows, ThreadCountFromTheEnvironment)
{
    const char* const saved = std::getenv("NUVAK_THREADS");
    const std::string before = saved ? saved : "";
    unsetenv("NUVAK_THREADS");
    const int automatic = parallel::ThreadCount();
    EXPECT_GE(automatic, 1);
    const struct {
        const char* text;
        int threads;
    } cases[] = {{"1", 1}, {"3", 3}, {"64", 64}, {"1000", 64}, {"0", automatic}, {"-2", automatic},
                 {"two", automatic}, {"2x", automatic}, {"", automatic}};
    for (const auto& c : cases) {
        setenv("NUVAK_THREADS", c.text, 1);
        EXPECT_EQ(parallel::ThreadCount(), c.threads) << '"' << c.text << '"';
    }
    {
        const parallel::ScopedThreads chosen(2);
        EXPECT_EQ(parallel::ThreadCount(), 2);
    }
    EXPECT_EQ(parallel::ThreadCount(), automatic);
    if (saved)
        setenv("NUVAK_THREADS", before.c_str(), 1);
    else
        unsetenv("NUVAK_THREADS");
}

TEST(ParallelRows, OperationsGiveTheSameBytesWithOneTwoAndThreeThreads)
{
    std::mt19937 random(20261208);
    FakeUserInterface user;
    for (const Operation& op : kOperations)
        for (int round = 0; round < 8; ++round) {
            const CImage source = RandomImage(random, op.grey, op.n, 61);
            const std::mt19937 parameters = random;
            CImage results[3];
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                CImage& result = results[threads - 1];
                result = source;
                std::mt19937 same = parameters;
                ASSERT_EQ(op.run(result, same), 0) << op.what << ": " << result.errorMessage;
            }
            random.discard(4);
            for (int threads = 2; threads <= 3; ++threads) {
                ASSERT_EQ(results[threads - 1].width, results[0].width) << op.what;
                ASSERT_EQ(results[threads - 1].height, results[0].height) << op.what;
                ASSERT_TRUE(SamePixels(results[threads - 1], results[0]))
                    << op.what << " with " << threads << " threads, round " << round;
            }
        }
    EXPECT_TRUE(user.questions.empty());
}

TEST(ParallelRows, HistogramsCountTheSameWithOneTwoAndThreeThreads)
{
    std::mt19937 random(41);
    for (int round = 0; round < 20; ++round) {
        CImage image = RandomImage(random, round % 2 == 0, 3, 90);
        std::array<int, 256> counts[3][3];
        for (int threads = 1; threads <= 3; ++threads) {
            const parallel::ScopedThreads scoped(threads, 0);
            image.ComputeHistograms();
            counts[threads - 1][0] = image.redHistogram;
            counts[threads - 1][1] = image.greenHistogram;
            counts[threads - 1][2] = image.blueHistogram;
        }
        long long total = 0;
        for (const int count : counts[0][0]) total += count;
        const long long pixels =
            static_cast<long long>(image.aoiRight - image.aoiLeft + 1) * (image.aoiBottom - image.aoiTop + 1);
        EXPECT_EQ(total, pixels);
        for (int threads = 2; threads <= 3; ++threads)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(counts[threads - 1][c], counts[0][c]) << threads << " channel " << c;
    }
}
