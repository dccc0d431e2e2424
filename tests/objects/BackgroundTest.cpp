#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(DetectBackground, ProposalAndAnswer)
{
    const char* black = "Detected LIGHT objects on a BLACK background.\nIs this correct?";
    const char* white = "Detected DARK objects on a WHITE background.\nIs this correct?";
    struct Case {
        int edge;      // level of the AOI's left column and top row
        int interior;  // elsewhere: must not count
        bool answer;
        const char* question;
        int result;
    } cases[] = {
        {0, 255, true, black, 0},    {0, 255, false, black, 255},  {255, 0, true, white, 255},
        {255, 0, false, white, 0},   {128, 0, true, white, 255},   {127, 255, true, black, 0},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        user.answers = {c.answer};
        CImage image = MakeGrey(8, 8, [&](int x, int y) { return (x == 2 || y == 3) ? c.edge : c.interior; });
        image.SetUpperLeft(2, 3, false);
        image.SetLowerRight(6, 7, false);
        EXPECT_EQ(image.DetectBackground(), c.result) << c.edge << " " << c.answer;
        ASSERT_EQ(user.questions.size(), 1u);
        EXPECT_EQ(user.questions[0], c.question);
    }
}

TEST(DetectBackground, ATieProposesWhite)
{
    FakeUserInterface user;
    // Left column 0..2 of a 3 x 3 AOI: dark, dark, light; top row: dark(corner), light, light.
    CImage image = MakeGrey(3, 3, [](int x, int y) { return (x == 0 && y < 2) || (y == 0 && x == 0) ? 0 : 255; });
    EXPECT_EQ(image.DetectBackground(), 255);
    EXPECT_EQ(user.questions.at(0), "Detected DARK objects on a WHITE background.\nIs this correct?");
}
