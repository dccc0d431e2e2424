// Every build of the row loops gives the same pixels.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "image/Image.h"
#include "platform/InstructionSet.h"
#include "support/FakeUserInterface.h"
#include "support/RandomImages.h"
#include "support/SamePixels.h"

using platform::InstructionSet;

TEST(InstructionSets, EveryBuildGivesTheSamePixels)
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<float> real(-3.0f, 3.0f);
    std::vector<float> reals(81), smallWholes(81), largeWholes(25);
    for (float& w : reals) w = real(random);
    for (float& w : smallWholes) w = static_cast<float>(static_cast<int>(random() % 5) - 2);
    for (float& w : largeWholes) w = static_cast<float>(static_cast<int>(random() % 2001) - 1000);
    struct Operation {
        const char* what;
        bool grey;
        std::function<int(CImage&)> run;
    };
    const Operation operations[] = {
        {"Custom 9 reals RGB", false, [&](CImage& i) { return i.CustomFilter(9, reals); }},
        {"Custom 9 reals grey", true, [&](CImage& i) { return i.CustomFilter(9, reals); }},
        {"Custom 9 small whole weights", false, [&](CImage& i) { return i.CustomFilter(9, smallWholes); }},
        {"Custom 5 large whole weights", true, [&](CImage& i) { return i.CustomFilter(5, largeWholes); }},
        {"LowPass 7", false, [](CImage& i) { return i.LowPass(7); }},
        {"HighPass 3", true, [](CImage& i) { return i.HighPass(3); }},
        {"UnsharpMask 5", false, [](CImage& i) { return i.UnsharpMask(5, 2.5); }},
        {"Median 3", true, [](CImage& i) { return i.MedianFilter(3); }},
        {"Median 9", true, [](CImage& i) { return i.MedianFilter(9); }},
        {"Dilation 5", true, [](CImage& i) { return i.Dilation(5, 0); }},
        {"Erosion 9", true, [](CImage& i) { return i.Erosion(9, 0); }},
        {"Dilation 13", true, [](CImage& i) { return i.Dilation(13, 0); }},
        {"Erosion 7 diagonal", true, [](CImage& i) { return i.Erosion(7, 3); }},
        {"Rotate bilinear", false, [](CImage& i) { return i.Rotate(17.5, 1); }},
        {"Rotate nearest", true, [](CImage& i) { return i.Rotate(-40, 0); }},
        {"Scale bilinear", false, [](CImage& i) { return i.Scale(73, 131, 1); }},
    };
    FakeUserInterface user;
    // Wide enough for whole vector blocks of every build.
    const CImage rgb = RandomImage(random, false, 9, 200), grey = RandomImage(random, true, 9, 200);
    CImage spectrum;
    spectrum.BlankImage(128, 64, CColorVal(0, 0, 0));
    spectrum.format = FORMAT_GRAYSCALE;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const int v = static_cast<int>(random() % 256);
            spectrum.pixelValueArray[y][x] = CColorVal(v, v, v);
        }
    std::vector<CImage> plain;
    for (const InstructionSet set : {InstructionSet::Baseline, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (set > platform::BestSet()) break;
        const platform::ScopedSet chosen(set);
        size_t k = 0;
        auto check = [&](const char* what, CImage& result) {
            if (set == InstructionSet::Baseline)
                plain.push_back(result);
            else
                EXPECT_TRUE(SamePixels(result, plain[k])) << what << " with " << platform::SetName(set);
            ++k;
        };
        for (const Operation& operation : operations) {
            CImage image = operation.grey ? grey : rgb;
            ASSERT_EQ(operation.run(image), 0) << operation.what << ": " << image.errorMessage;
            check(operation.what, image);
        }
        CImage transform = spectrum;
        ASSERT_EQ(transform.Fft(), 0);
        check("Fft", transform);
        ASSERT_EQ(transform.FftInverse(), 0);
        check("FftInverse", transform);
    }
    EXPECT_TRUE(user.questions.empty());
}
