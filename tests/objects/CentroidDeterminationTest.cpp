#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/resource.h>

#include "objects/Sketch.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

const char* const kAreaHeader = "#id,x,y,area,left,top,right,bottom,partl\r\n";
const int kAreaFlags = METRIC_AREA | METRIC_BOUNDING_BOX | METRIC_PARTIAL;

void SetAoi(CImage& image, int left, int top, int right, int bottom)
{
    image.SetUpperLeft(left, top, false);
    image.SetLowerRight(right, bottom, false);
}

}  // namespace

TEST(CentroidDetermination, EdgeCasesOfTheAoi)
{
    // A 2 x 2 corner square, too small to report, and a 5 x 4 rectangle.
    const std::vector<std::string> scene = {
        "##..........",
        "##..........",
        "............",
        "...#####....",
        "...#####....",
        "...#####....",
        "...#####....",
        "............",
        "............",
        "............",
    };
    const std::string header = kAreaHeader;
    struct Case {
        const char* name;
        int left, top, right, bottom;
        std::string file;
    } cases[] = {
        {"all background: empty file, no header", 8, 0, 11, 9, ""},
        {"whole image", 0, 0, 11, 9, header + "1,5.0,4.5,20,3,3,7,6,F\r\n"},
        {"cut by the left border", 4, 0, 11, 9, header + "1,5.5,4.5,16,4,3,7,6,T\r\n"},
        {"cut by the top border", 0, 4, 11, 9, header + "1,5.0,5.0,15,3,4,7,6,T\r\n"},
        {"cut by the right border", 0, 2, 6, 9, header + "1,4.5,4.5,16,3,3,6,6,T\r\n"},
        {"cut by the bottom border", 0, 2, 11, 5, header + "1,5.0,4.0,15,3,3,7,5,T\r\n"},
        {"a line in the AOI's last row", 0, 0, 11, 3, header + "1,5.0,3.0,5,3,3,7,3,T\r\n"},
        {"a line in the AOI's last column", 0, 2, 3, 9, header + "1,3.0,4.5,4,3,3,3,6,T\r\n"},
        {"an AOI one column wide", 7, 0, 7, 9, header + "1,7.0,4.5,4,7,3,7,6,T\r\n"},
    };
    for (const Case& c : cases) {
        CImage image = Sketch(scene);
        SetAoi(image, c.left, c.top, c.right, c.bottom);
        image.objects.resize(2);  // a previous run's objects
        const FindRun run = FindObjects(image, kAreaFlags);
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(run.file, c.file) << c.name;
        EXPECT_EQ(image.ObjectCount(), c.file.empty() ? 0 : 1) << c.name;
    }
}

TEST(CentroidDetermination, SmallObjectsAreErasedButNotReported)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        const char* file;
        int count;
    } cases[] = {
        {"an isolated pixel: header only", {".....", "..#..", "....."}, kAreaHeader, 0},
        {"a major axis of 2", {".....", ".###.", "....."}, kAreaHeader, 0},
        {"a major axis of 3 is reported", {"......", ".####.", "......"},
         "#id,x,y,area,left,top,right,bottom,partl\r\n1,2.5,1.0,4,1,1,4,1,F\r\n", 1},
        {"the header once, before small objects, numbers count reported ones",
         {"#.#.....", "........", "..####..", "........", "#.......", "....####"},
         "#id,x,y,area,left,top,right,bottom,partl\r\n1,3.5,2.0,4,2,2,5,2,F\r\n2,5.5,5.0,4,4,5,7,5,T\r\n", 2},
    };
    for (const Case& c : cases) {
        CImage image = Sketch(c.rows);
        const FindRun run = FindObjects(image, kAreaFlags);
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(run.file, c.file) << c.name;
        EXPECT_EQ(image.ObjectCount(), c.count) << c.name;
    }
}

TEST(CentroidDetermination, MetricFlagsZeroWritesTheCentroidOnly)
{
    CImage image = Sketch({"...........", ".#####.....", ".#####.....", ".......####", ".......####", ".......####"});
    EXPECT_EQ(FindObjects(image, 0).file, "#id,x,y\r\n1,3.0,1.5\r\n2,8.5,4.0\r\n");
}

TEST(CentroidDetermination, BackgroundFromTheDetector)
{
    const std::string black = "Detected LIGHT objects on a BLACK background.\nIs this correct?";
    const std::string white = "Detected DARK objects on a WHITE background.\nIs this correct?";
    // A 4 x 4 square in an 8 x 8 frame. Taking the frame's level as the
    // background finds the square; the other level makes the frame one
    // object around a hole.
    const std::vector<std::string> rows = {"........", "........", "..####..", "..####..",
                                           "..####..", "..####..", "........", "........"};
    const char* const square = "#id,x,y,area\r\n1,3.5,3.5,16\r\n";
    const char* const frame = "#id,x,y,area\r\n1,3.5,3.5,48\r\n";
    struct Case {
        const char* name;
        int squareLevel, frameLevel, argument;
        std::deque<bool> answers;
        std::vector<std::string> questions;
        const char* file;
    } cases[] = {
        {"light edges propose white", 0, 255, -1, {true}, {white}, square},
        {"No to white makes black the background", 0, 255, -1, {false}, {white}, frame},
        {"dark edges propose black", 255, 0, -1, {true}, {black}, square},
        {"No to black makes white the background", 255, 0, -1, {false}, {black}, frame},
        {"255 given: no question", 0, 255, 255, {}, {}, square},
        {"0 given: no question", 0, 255, 0, {}, {}, frame},
        {"any other value asks", 0, 255, 7, {true}, {white}, square},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        user.answers = c.answers;
        CImage image = Sketch(rows, c.squareLevel, c.frameLevel);
        const FindRun run = FindObjects(image, METRIC_AREA, c.argument);
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(user.questions, c.questions) << c.name;
        EXPECT_EQ(run.file, c.file) << c.name;
    }
}

TEST(CentroidDetermination, FailuresAndTheirState)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::string path;
        std::string message;
        int objectsAfter;  // of the two a previous run left
    } cases[] = {
        {"missing folder", dir.path("none/objects.dat"), dir.path("none/objects.dat") + " could not be opened for output.", 2},
        {"a folder", dir.path(""), dir.path("") + " could not be opened for output.", 2},
        {"no name", "", " could not be opened for output.", 2},
        {"a full device", "/dev/full", "/dev/full could not be written completely.", 0},
    };
    for (const Case& c : cases) {
        if (c.path == "/dev/full" && !Exists(c.path)) continue;
        CImage image = Sketch({"......", ".####.", "......"});
        image.objects.resize(2);
        EXPECT_EQ(image.CentroidDetermination(c.path, METRIC_ALL, 0), -1) << c.name;
        EXPECT_EQ(image.errorMessage, c.message) << c.name;
        EXPECT_EQ(image.ObjectCount(), c.objectsAfter) << c.name;
    }
}

// The address-space limit leaves no room for the shadow memory of the
// address and thread sanitizers, so their builds leave this test out.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Memory runs out: the address space is limited in a child process to a
// little above what it uses, or to room for the working copy (48 MB) but
// not for the label matrix of the one object that fills the image (64 MB).
// The previous results file stays as it was.
TEST(CentroidDeterminationDeathTest, OutOfMemory)
{
    TempDir dir;
    const std::string path = dir.path("objects.dat");
    CImage image;
    ASSERT_EQ(image.BlankImage(4000, 4000, CColorVal(9, 9, 9)), 0);
    image.objects.resize(2);
    const std::vector<std::uint8_t> previous = {'#', 'i', 'd', '\r', '\n'};
    WriteBytes(path, previous);
    for (const long room : {16L << 20, 80L << 20}) {
        EXPECT_EXIT(
            {
                long pages = 0;
                if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
                    if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
                    std::fclose(statm);
                }
                rlimit limit{};
                getrlimit(RLIMIT_AS, &limit);
                limit.rlim_cur = static_cast<rlim_t>(pages * 4096 + room);
                setrlimit(RLIMIT_AS, &limit);
                const int status = image.CentroidDetermination(path, METRIC_ALL, 0);
                const bool ok = status == -1 &&
                                image.errorMessage ==
                                    "CImage::CentroidDetermination cannot allocate sufficient memory." &&
                                image.objects.empty() && ReadBytes(path) == previous;
                std::_Exit(ok ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << room;
    }
}
#endif

TEST(CentroidDetermination, ARunLeavesThePixelsAndRenumbers)
{
    FakeUserInterface user;
    CImage image = Sketch({"......", ".####.", "......", ".####.", "......"});
    const CImage before = image;
    ASSERT_EQ(FindObjects(image, 0).file, "#id,x,y\r\n1,2.5,1.0\r\n2,2.5,3.0\r\n");
    EXPECT_EQ(user.waitCount, 1);
    EXPECT_EQ(user.waitDepth, 0);
    image.SetUpperLeft(0, 2, false);
    ASSERT_EQ(FindObjects(image, 0).file, "#id,x,y\r\n1,2.5,3.0\r\n");
    ASSERT_EQ(image.ObjectCount(), 1);
    EXPECT_EQ(image.objects[0].top, 3);
    EXPECT_TRUE(std::equal(image.pixelValueArray.data(), image.pixelValueArray.data() + image.pixelValueArray.size(),
                           before.pixelValueArray.data()));
}

TEST(CentroidDetermination, AnImageWithoutPixelsFindsNothing)
{
    FakeUserInterface user;
    CImage image;
    image.objects.resize(1);
    const FindRun run = FindObjects(image, METRIC_ALL, -1);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.file, "");
    EXPECT_EQ(image.ObjectCount(), 0);
    EXPECT_TRUE(user.questions.empty());
}

// Fifty rectangles and discs of random sizes and levels, none touching
// another: each is reported once with its own box, area and centre.
TEST(CentroidDetermination, FiftyRandomRectanglesAndDiscs)
{
    std::mt19937 random(20261207);
    const int width = 320, height = 240;
    CImage image = MakeGrey(width, height, [](int, int) { return 0; });
    struct Shape {
        int left, top, right, bottom, area;
        bool found;
    };
    std::vector<Shape> shapes;
    while (shapes.size() < 50) {
        const bool disc = random() % 2;
        const int radius = 2 + static_cast<int>(random() % 8);
        const int w = disc ? 2 * radius + 1 : 4 + static_cast<int>(random() % 20);
        const int h = disc ? w : 4 + static_cast<int>(random() % 20);
        Shape s{static_cast<int>(random() % (width - w + 1)), static_cast<int>(random() % (height - h + 1)), 0, 0, 0,
                false};
        s.right = s.left + w - 1;
        s.bottom = s.top + h - 1;
        bool apart = true;
        for (const Shape& o : shapes)
            apart &= s.left > o.right + 1 || o.left > s.right + 1 || s.top > o.bottom + 1 || o.top > s.bottom + 1;
        if (!apart) continue;
        const int level = 1 + static_cast<int>(random() % 255);
        for (int y = s.top; y <= s.bottom; ++y)
            for (int x = s.left; x <= s.right; ++x) {
                const int dx = x - s.left - radius, dy = y - s.top - radius;
                if (disc && dx * dx + dy * dy > radius * radius) continue;
                image.pixelValueArray[y][x] = CColorVal(level, level, level);
                ++s.area;
            }
        shapes.push_back(s);
    }
    const FindRun run = FindObjects(image, METRIC_AREA);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.file.begin(), run.file.end(), '\n'), 51);
    ASSERT_EQ(image.ObjectCount(), 50);
    for (const CFoundObject& o : image.objects) {
        auto same = [&](const Shape& s) {
            return s.left == o.left && s.top == o.top && s.right == o.right && s.bottom == o.bottom;
        };
        auto match = std::find_if(shapes.begin(), shapes.end(), same);
        ASSERT_NE(match, shapes.end()) << o.left << "," << o.top << " " << o.right << "," << o.bottom;
        EXPECT_FALSE(match->found);
        match->found = true;
        EXPECT_EQ(o.area, match->area);
        EXPECT_EQ(o.centroidX, (o.left + o.right) / 2.0);
        EXPECT_EQ(o.centroidY, (o.top + o.bottom) / 2.0);
        EXPECT_FALSE(o.partial && o.left > 0 && o.top > 0 && o.right < width - 1 && o.bottom < height - 1);
    }
}

// Each scan goes on from the last start point: on random images the run
// must find what a scan from the AOI's corner for every object finds.
TEST(CentroidDetermination, ResumedScanEqualsAScanFromTheCorner)
{
    std::mt19937 random(7);
    for (int n = 0; n < 40; ++n) {
        const int density = static_cast<int>(random() % 80);
        CImage image = MakeImage(37, 23, [&](int, int) {
            return static_cast<int>(random() % 100) < density
                       ? CColorVal(random() % 256, random() % 256, random() % 256)
                       : CColorVal();
        });
        SetAoi(image, 2, 1, 33, 21);
        std::vector<CFoundObject> plain;
        PixelRows work = image.pixelValueArray;
        for (int x = image.aoiLeft, y = image.aoiTop; image.FindStartPixel(work, 0, x, y);
             x = image.aoiLeft, y = image.aoiTop) {
            CFoundObject object = image.TraceObject(work, 0, x, y);
            if (object.majorAxis >= 3.0) plain.push_back(object);
        }
        ASSERT_EQ(FindObjects(image).status, 0);
        ASSERT_EQ(image.ObjectCount(), static_cast<int>(plain.size()));
        for (size_t i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(image.objects[i].RowText(1, false, METRIC_ALL), plain[i].RowText(1, false, METRIC_ALL));
            EXPECT_EQ(image.objects[i].boundaryPoints, plain[i].boundaryPoints);
        }
    }
}
