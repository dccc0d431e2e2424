#include <gtest/gtest.h>

#include <random>

#include "forms/FftAoiModel.h"
#include "forms/FftProcessingModel.h"
#include "forms/FftSheetModel.h"
#include "forms/FftWindowModel.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

void ExpectRect(const AoiRect& r, const AoiRect& expected, const char* what)
{
    EXPECT_EQ(r.left, expected.left) << what;
    EXPECT_EQ(r.top, expected.top) << what;
    EXPECT_EQ(r.right, expected.right) << what;
    EXPECT_EQ(r.bottom, expected.bottom) << what;
}

// A grey image of random levels.
CImage RandomGrey(int width, int height, unsigned seed)
{
    CImage image = MakeGrey(width, height, [](int, int) { return 0; });
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int level = static_cast<int>(random() % 256);
            image.pixelValueArray[y][x] = CColorVal(level, level, level);
        }
    return image;
}

std::vector<int> Levels(const CImage& image)
{
    std::vector<int> levels;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) levels.push_back(image.pixelValueArray[y][x].red);
    return levels;
}

// The display pixels of a spectrum whose values are zero, 'x' per pixel.
std::vector<std::string> ZeroMap(const CImage& spectrum)
{
    std::vector<std::string> rows;
    for (int y = 0; y < spectrum.height; ++y) {
        std::string row;
        for (int x = 0; x < spectrum.width; ++x) {
            const auto value = spectrum.dataArray[(y + spectrum.height / 2) % spectrum.height]
                                                 [(x + spectrum.width / 2) % spectrum.width];
            row += value == 0.0 ? 'x' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// The wizard taken to its last page on an 8 x 8 crop of a random image.
struct EightByEight {
    FakeUserInterface user;
    FftSheetModel sheet{RandomGrey(20, 12, 7)};
    EightByEight(const WindowArguments& window = {})
    {
        sheet.SetWorkAoi({5, 2, 12, 9});
        EXPECT_TRUE(sheet.CropAoi());
        sheet.ApplyWindow(window);
        EXPECT_TRUE(sheet.Transform());
    }
};

}  // namespace

TEST(FftAoiModel, PowerOfTwoSizes)
{
    const struct {
        int dimension;
        std::vector<int> sizes;
    } cases[] = {
        {-3, {}}, {0, {}}, {7, {}}, {8, {8}}, {15, {8}}, {16, {8, 16}}, {60, {8, 16, 32}}, {100, {8, 16, 32, 64}},
        {(1 << 29) + 1, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(PowerOfTwoSizes(c.dimension), c.sizes) << c.dimension;
    EXPECT_EQ(PowerOfTwoSizes(1 << 29).back(), 1 << 29);
    EXPECT_EQ(PowerOfTwoSizes(1 << 29).size(), 27u);
}

TEST(FftAoiModel, OpeningSelectsTheLargestCentredAoi)
{
    FftAoiModel model;
    model.Open(100, 60);
    EXPECT_EQ(model.Widths(), (std::vector<int>{8, 16, 32, 64}));
    EXPECT_EQ(model.Heights(), (std::vector<int>{8, 16, 32}));
    EXPECT_EQ(model.WidthIndex(), 3);
    EXPECT_EQ(model.HeightIndex(), 2);
    EXPECT_TRUE(model.HasSizes());
    ExpectRect(model.Tracker(), {18, 14, 81, 45}, "tracker");
    ExpectRect(model.ImageAoi(), {18, 14, 81, 45}, "aoi");

    model.Open(7, 60);
    EXPECT_TRUE(model.Widths().empty());
    EXPECT_FALSE(model.HasSizes());
    EXPECT_FALSE(model.OnTracker(0, 0));
}

TEST(FftAoiModel, SizesAndDragsMoveTheTracker)
{
    // Each step acts on the tracker the previous one left (100 x 60, scale 1).
    enum Act { Width, Height, Drop };
    const struct {
        Act act;
        int index;  // list index, or the drag's offset in x
        int dy;
        AoiRect tracker;
        const char* what;
    } steps[] = {
        {Width, 0, 0, {45, 13, 52, 44}, "width 8 around the centre (49, 29)"},
        {Height, 0, 0, {44, 24, 51, 31}, "height 8 around the centre (48, 28)"},
        {Drop, 48, -24, {92, 0, 99, 7}, "dropped at the right and top edges"},
        {Drop, 2, 0, {92, 0, 99, 7}, "beyond the picture's right edge (100) is refused"},
        {Drop, 0, -1, {92, 0, 99, 7}, "a pixel above the top is refused"},
        {Width, 3, 0, {36, 0, 99, 7}, "width 64 shifted back into the image"},
        {Height, 2, 0, {35, 0, 98, 31}, "height 32 shifted down to 0"},
        {Drop, -35, 28, {0, 28, 63, 59}, "dropped at the left and bottom edges"},
        {Drop, 0, 2, {0, 28, 63, 59}, "beyond the picture's bottom edge (60) is refused"},
    };
    FftAoiModel model;
    model.Open(100, 60);
    for (const auto& s : steps) {
        if (s.act == Width) model.SelectWidth(s.index);
        if (s.act == Height) model.SelectHeight(s.index);
        if (s.act == Drop) {
            const AoiRect& t = model.Tracker();
            model.Drop({t.left + s.index, t.top + s.dy, t.right + s.index, t.bottom + s.dy});
        }
        ExpectRect(model.Tracker(), s.tracker, s.what);
    }
    EXPECT_TRUE(model.OnTracker(0, 28));
    EXPECT_TRUE(model.OnTracker(63, 59));
    EXPECT_FALSE(model.OnTracker(64, 59));
    // The picture's edge itself is allowed; the AOI then ends at the last row.
    model.Drop({0, 29, 63, 60});
    ExpectRect(model.ImageAoi(), {0, 28, 63, 59}, "aoi at the bottom");
}

TEST(FftAoiModel, ScaledTrackerGivesAnAoiOfTheChosenSize)
{
    FftAoiModel model;
    model.Open(1000, 300);  // scale 0.4
    ExpectRect(model.Tracker(), {98, 9, 302, 111}, "initial tracker");
    model.Drop({196, 9, 400, 111});
    ExpectRect(model.Tracker(), {196, 9, 400, 111}, "at the right edge");
    // 196 / 0.4 = 490 would end at 1001: the AOI stays 512 wide inside the image.
    ExpectRect(model.ImageAoi(), {488, 23, 999, 278}, "aoi");
}

TEST(FftWindowModel, ChoicesGiveTheirWindows)
{
    const struct {
        int choice;
        WindowArguments window;
        bool cosine, rolloff;
    } cases[] = {
        {kWindowNone, {false, 0, 0.0, 0}, false, false},   {kWindowHamming, {true, 0, 0.0, 0}, false, false},
        {kWindowHann, {true, 1, 0.0, 0}, false, false},    {kWindowTriangular, {true, 3, 0.0, 0}, false, false},
        {kWindowCosine, {true, 2, 0.73, 0}, true, false}, {kWindowRolloff, {true, 4, 0.91, 25}, false, true},
    };
    for (const auto& c : cases) {
        FftWindowModel model;
        model.choice = c.choice;
        model.cosinePosition = 73;
        model.rolloffPosition = 91;
        model.rolloffPercent = 25;
        const WindowArguments w = model.Arguments();
        EXPECT_EQ(w.apply, c.window.apply) << c.choice;
        EXPECT_EQ(w.type, c.window.type) << c.choice;
        EXPECT_DOUBLE_EQ(w.alpha, c.window.alpha) << c.choice;
        EXPECT_EQ(w.percent, c.window.percent) << c.choice;
        EXPECT_EQ(model.CosineEnabled(), c.cosine) << c.choice;
        EXPECT_EQ(model.RolloffEnabled(), c.rolloff) << c.choice;
    }
}

TEST(FftWindowModel, LabelsAndPercent)
{
    EXPECT_EQ(FftWindowModel::SliderLabel(50), "0.50");
    EXPECT_EQ(FftWindowModel::SliderLabel(73), "0.73");
    EXPECT_EQ(FftWindowModel::SliderLabel(100), "1.00");
    FftWindowModel model;
    EXPECT_EQ(model.rolloffPercent, 10);
    const struct {
        const char* text;
        int kept;
        const char* message;
    } cases[] = {
        {"101", 10, "Please enter an integer between 0 and 100."},
        {"-1", 10, "Please enter an integer between 0 and 100."},
        {"", 10, "Please enter an integer."},
        {"100", 100, ""},
        {" 0", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(model.TakePercent(c.text).message, c.message) << c.text;
        EXPECT_EQ(model.rolloffPercent, c.kept) << c.text;
    }
}

TEST(FftProcessingModel, CustomDragGivesTheEllipse)
{
    FftProcessingModel model;
    model.Spectrum().SetImageSize(600, 450);  // scale 0.5, 300 x 225 shown
    EXPECT_EQ(model.filterType, kFilterLowPass);
    EXPECT_TRUE(model.SliderEnabled());
    EXPECT_FALSE(model.BeginDrag({10, 20}));  // only for Custom
    model.filterType = kFilterCustom;
    EXPECT_FALSE(model.SliderEnabled());
    EXPECT_FALSE(model.BeginDrag({300, 20}));  // just beside the picture
    ASSERT_TRUE(model.BeginDrag({10, 20}));
    EXPECT_FALSE(model.RubberBand());
    model.DragTo({40, 60});
    model.DragTo({500, 70});  // outside: the corner stays
    ASSERT_TRUE(model.RubberBand());
    EXPECT_EQ(model.RubberBand()->right, 40);
    EXPECT_EQ(model.RubberBand()->bottom, 60);
    const auto ellipse = model.EndDrag({350, 100}, 600, 450);
    ASSERT_TRUE(ellipse);
    ExpectRect({ellipse->left, ellipse->top, ellipse->right, ellipse->bottom}, {20, 40, 599, 200}, "clipped");
    EXPECT_FALSE(model.Dragging());

    ASSERT_TRUE(model.BeginDrag({100, 100}));
    EXPECT_FALSE(model.EndDrag({100, 150}, 600, 450));  // not right of the start
    EXPECT_FALSE(model.Dragging());
    EXPECT_FALSE(model.EndDrag({200, 200}, 600, 450));  // no drag
}

TEST(FftProcessingModel, MarksWhatTheFilterDeletes)
{
    FftProcessingModel model;
    model.Spectrum().SetImageSize(600, 450);
    const FilterEllipse ellipse{20, 40, 599, 200};
    const FilterEllipse picture = model.ToPicture(ellipse);
    ExpectRect({picture.left, picture.top, picture.right, picture.bottom}, {10, 20, 300, 100}, "picture");
    const struct {
        int type;
        bool centre, corner;
    } cases[] = {{kFilterHighPass, true, false}, {kFilterLowPass, false, true}, {kFilterCustom, true, false}};
    for (const auto& c : cases) {
        model.filterType = c.type;
        EXPECT_EQ(model.Marked(ellipse, 155, 60), c.centre) << c.type;
        EXPECT_EQ(model.Marked(ellipse, 10, 20), c.corner) << c.type;
    }
}

// An 8 x 8 spectrum shown 28 times larger: the mouse picks whole spectrum
// pixels, the ellipse goes round their blocks and each block is marked as
// the filter treats its pixel.
TEST(FftProcessingModel, EnlargedPictureWorksInSpectrumPixels)
{
    FftProcessingModel model;
    model.Spectrum().SetImageSize(8, 8);
    ASSERT_EQ(model.Spectrum().Enlargement(), 28);
    model.filterType = kFilterCustom;
    ASSERT_TRUE(model.BeginDrag({30, 55}));  // pixel (1, 1)
    model.DragTo({200, 150});                // pixel (7, 5)
    ASSERT_TRUE(model.RubberBand());
    ExpectRect({model.RubberBand()->left, model.RubberBand()->top, model.RubberBand()->right,
                model.RubberBand()->bottom},
               {28, 28, 223, 167}, "band round the blocks");
    const auto ellipse = model.EndDrag({200, 150}, 8, 8);
    ASSERT_TRUE(ellipse);
    ExpectRect({ellipse->left, ellipse->top, ellipse->right, ellipse->bottom}, {1, 1, 7, 5}, "spectrum pixels");
    const FilterEllipse picture = model.ToPicture(*ellipse);
    ExpectRect({picture.left, picture.top, picture.right, picture.bottom}, {28, 28, 223, 167}, "picture");
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool deleted = ellipse->Contains(x, y);
            EXPECT_EQ(model.Marked(*ellipse, 28 * x, 28 * y), deleted) << x << "," << y;
            EXPECT_EQ(model.Marked(*ellipse, 28 * x + 27, 28 * y + 27), deleted) << x << "," << y;
        }
}

TEST(FftSheetModel, WindowChoicesWindowTheUnchangedCrop)
{
    FakeUserInterface user;
    const CImage image = RandomGrey(100, 60, 3);
    FftSheetModel sheet(image);
    sheet.SetWorkAoi({18, 14, 81, 45});
    ASSERT_TRUE(sheet.CropAoi());
    CImage crop = image;
    ASSERT_EQ(crop.Crop(18, 14, 81, 45), 0);
    EXPECT_EQ(Levels(sheet.Aoi()), Levels(crop));
    const WindowArguments windows[] = {{false, 0, 0, 0}, {true, 0, 0, 0}, {true, 1, 0, 0}, {true, 3, 0, 0},
                                       {true, 2, 0.6, 0}, {true, 4, 0.8, 20}};
    for (const WindowArguments& w : windows) {
        sheet.ApplyWindow(w);
        CImage expected = crop;
        if (w.apply) {
            ASSERT_EQ(expected.Window(w.type, w.alpha, w.percent), 0);
        }
        EXPECT_EQ(Levels(sheet.Spectrum()), Levels(expected)) << w.type;
    }
    // Rolloff 4 % of 32 rows is too few (128 < 150): the crop stays unwindowed, silently.
    sheet.ApplyWindow({true, 4, 0.5, 4});
    EXPECT_EQ(Levels(sheet.Spectrum()), Levels(crop));
    EXPECT_TRUE(user.errors.empty());
}

TEST(FftSheetModel, FinishRightAfterTheWindowPageGivesTheWindowedAoi)
{
    EightByEight w({true, 1, 0, 0});
    CImage expected = w.sheet.Aoi();
    ASSERT_EQ(expected.Window(1, 0, 0), 0);
    CImage document = RandomGrey(20, 12, 7);
    document.SetUpperLeft(3, 3, false);
    w.sheet.PutResult(document);
    EXPECT_EQ(document.width, 8);
    EXPECT_EQ(document.height, 8);
    EXPECT_EQ(Levels(document), Levels(expected));
    ExpectRect({document.aoiLeft, document.aoiTop, document.aoiRight, document.aoiBottom}, {0, 0, 7, 7}, "aoi");
    EXPECT_TRUE(w.user.notices.empty());
}

TEST(FftSheetModel, FiltersDeleteTheMarkedFrequencies)
{
    const struct {
        int slider;
        bool outside;
        std::vector<std::string> zeros;
    } cases[] = {
        {100, true, {"xx....xx", "x......x", "........", "........", "........", "........", "x......x", "xx....xx"}},
        {0, false, {"........", "........", "........", "...x....", "....x...", "........", "........", "........"}},
        {50, false, {"........", "..xxx...", ".xxxxx..", ".xxxxxx.", ".xxxxxx.", "..xxxxx.", "...xxx..", "........"}},
    };
    for (const auto& c : cases) {
        EightByEight w;
        w.sheet.SetEllipse(FilterEllipse::FromSlider(8, 8, c.slider));
        ASSERT_TRUE(w.sheet.ApplyFilter(c.outside));
        EXPECT_EQ(ZeroMap(w.sheet.Spectrum()), c.zeros) << c.slider;
        // The ellipse stays, the result is the inverse of the edited spectrum.
        EXPECT_EQ(w.sheet.Spectrum().aoiLeft, FilterEllipse::FromSlider(8, 8, c.slider).left);
        CImage inverse = w.sheet.Spectrum();
        ASSERT_EQ(inverse.FftInverse(), 0);
        EXPECT_EQ(Levels(w.sheet.Result()), Levels(inverse));
        EXPECT_GT(w.user.waitCount, 0);
    }
}

TEST(FftSheetModel, UndoShowsTheUnwindowedSpectrum)
{
    EightByEight w({true, 1, 0, 0});
    CImage unwindowed = w.sheet.Aoi();
    ASSERT_EQ(unwindowed.Fft(), 0);
    EXPECT_NE(Levels(w.sheet.Spectrum()), Levels(unwindowed));  // first shown: windowed
    w.sheet.SetEllipse({2, 2, 5, 5});
    ASSERT_TRUE(w.sheet.ApplyFilter(false));
    ASSERT_TRUE(w.sheet.Undo());
    EXPECT_EQ(Levels(w.sheet.Spectrum()), Levels(unwindowed));
    EXPECT_EQ(Levels(w.sheet.Result()), Levels(w.sheet.Aoi()));
    ExpectRect({w.sheet.Spectrum().aoiLeft, w.sheet.Spectrum().aoiTop, w.sheet.Spectrum().aoiRight,
                w.sheet.Spectrum().aoiBottom},
               {2, 2, 5, 5}, "ellipse kept");
}

TEST(FftSheetModel, FailuresShowTheirTexts)
{
    FakeUserInterface user;
    FftSheetModel colour(MakeImage(16, 16, [](int x, int y) { return CColorVal(x * 9, y * 9, 40); }));
    colour.SetWorkAoi({0, 0, 7, 7});
    ASSERT_TRUE(colour.CropAoi());
    colour.ApplyWindow({});
    EXPECT_FALSE(colour.Transform());
    EXPECT_FALSE(colour.Undo());
    EXPECT_EQ(user.errors, (std::vector<std::string>{"CImage::Fft() only defined on grayscale images",
                                                     "CImage::Fft() only defined on grayscale images"}));
    user.errors.clear();
    EXPECT_FALSE(colour.ApplyFilter(true));
    EXPECT_EQ(user.errors, (std::vector<std::string>{"CImage::Fft() only defined on grayscale images",
                                                     "CImage::FftInverse() only defined on grayscale images"}));

    const struct {
        const char* format;
        const char* shown;
    } pictures[] = {
        {kFftPictureFailed, "Error:  the image cannot be displayed.\nCPreviewPic::Display() fails.\n\n"},
        {kFftProcessingPictureFailed, "The image cannot be displayed.\nCPreviewPic::Display() fails.\n\n"},
    };
    for (const auto& p : pictures) {
        user.errors.clear();
        PreviewPicModel picture;
        picture.SetBox(0, 0, 300, 400);
        CImage image = RandomGrey(8, 8, 1);
        CDeviceBitmap bitmap;
        EXPECT_FALSE(ShowPicture(picture, image, bitmap, 16, p.format));
        ASSERT_EQ(user.errors.size(), 2u);
        EXPECT_EQ(user.errors[0], image.errorMessage);
        EXPECT_EQ(user.errors[1], p.shown);
        EXPECT_TRUE(ShowPicture(picture, image, bitmap, 32, p.format));
    }
}
