#include <gtest/gtest.h>

#include "objects/Sketch.h"

namespace {

// The rows left in the working copy, drawn as in Sketch ('#' for any
// non-background pixel).
std::vector<std::string> Drawn(const PixelRows& work, int width, int height, int background)
{
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (work[y][x] != CColorVal(background, background, background)) rows[y][x] = '#';
    return rows;
}

std::vector<std::string> Comb(int teeth)
{
    std::string tips, bar(2 * teeth - 1, '#');
    for (int i = 0; i < teeth; ++i) tips += i ? ".#" : "#";
    return {tips, tips, bar};
}

}  // namespace

TEST(EraseObject, ErasesTheStartPointsComponentWithinTheBox)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int left, top, right, bottom, startX, startY;
        std::vector<std::string> after;
    } cases[] = {
        {"two arms joined below need an equivalence", {"#...#", "#...#", "#####"}, 0, 0, 4, 2, 0, 0,
         {".....", ".....", "....."}},
        {"diagonal neighbours belong together", {"#..", ".#.", "..#"}, 0, 0, 2, 2, 0, 0, {"...", "...", "..."}},
        {"a separate pixel in the box stays", {"#####", "#....", "#..#.", "#...."}, 0, 0, 4, 3, 0, 0,
         {".....", ".....", "...#.", "....."}},
        {"a dot inside a ring stays", {"#####", "#...#", "#.o.#", "#...#", "#####"}, 0, 0, 4, 4, 0, 0,
         {".....", ".....", "..#..", ".....", "....."}},
        {"pixels outside the box stay even when connected", {"###.", "..##"}, 0, 0, 2, 1, 0, 0,
         {"....", "...#"}},
        {"the start need not be the box's first pixel", {"#.#", "..#", "##."}, 0, 0, 2, 2, 2, 0,
         {"#..", "...", "..."}},
    };
    for (const Case& c : cases) {
        for (int background : {0, 255}) {
            CImage image = Sketch(c.rows, 200, background);
            PixelRows work = image.pixelValueArray;
            CFoundObject object;
            object.left = c.left, object.top = c.top, object.right = c.right, object.bottom = c.bottom;
            object.boundaryPoints = {{c.startX, c.startY}};
            object.EraseObject(work, background);
            EXPECT_EQ(Drawn(work, image.width, image.height, background), c.after) << c.name << " " << background;
        }
    }
}

TEST(EraseObject, MoreThanAHundredLabelClasses)
{
    // 150 teeth each start a label on the top row; the bar joins them all.
    CImage image = Sketch(Comb(150));
    PixelRows work = image.pixelValueArray;
    CFoundObject object;
    object.right = image.width - 1;
    object.bottom = 2;
    object.boundaryPoints = {{0, 0}};
    object.EraseObject(work, 0);
    EXPECT_EQ(Drawn(work, image.width, 3, 0), std::vector<std::string>(3, std::string(image.width, '.')));

    // Found as one object through the whole run.
    const FindRun run = FindObjects(image, METRIC_AREA | METRIC_BOUNDING_BOX);
    EXPECT_EQ(run.file, "#id,x,y,area,left,top,right,bottom\r\n1,149.0,1.2,599,0,0,298,2\r\n");
}
