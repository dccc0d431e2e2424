// Copy and Paste through a scripted clipboard: pixels, formats, AOI, undo
// and every failure text.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "document/ClipboardPort.h"
#include "document/ClipboardTransfer.h"
#include "document/NUVAKDoc.h"
#include "image/DeviceBitmap.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

struct FakeClipboard final : CClipboardPort {
    bool opens = true, empties = true, takes = true;
    int bits = 32;
    bool holds = false;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00BBGGRR, row 0 first
    int opened = 0, closed = 0;
    CDeviceBitmap put;

    bool Open() override { return ++opened, opens; }
    bool Empty() override { return empties; }
    void Close() override { ++closed; }
    int DisplayBits() const override { return bits; }
    bool Put(const CDeviceBitmap& bitmap) override
    {
        put = bitmap;
        return takes;
    }
    bool Fetch() override { return holds; }
    int FetchedWidth() const override { return width; }
    int FetchedHeight() const override { return height; }
    void ReadFetched(std::uint32_t* const* rows) const override
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) rows[y][x] = pixels[static_cast<size_t>(y) * width + x];
    }
    void Hold(int w, int h, std::uint32_t (*f)(int, int))
    {
        holds = true;
        width = w;
        height = h;
        pixels.clear();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(f(x, y));
    }
};

std::uint32_t Ref(int r, int g, int b) { return static_cast<std::uint32_t>(r | g << 8 | b << 16); }

}  // namespace

TEST(ClipboardTransfer, CopyPutsOnlyTheAoi)
{
    FakeUserInterface user;
    CImage image = MakeImage(40, 30, [](int x, int y) { return CColorVal(x, y, 7); });
    image.SetUpperLeft(5, 8, false);
    image.SetLowerRight(24, 17, false);
    FakeClipboard clipboard;
    CopyAoiToClipboard(image, clipboard);
    EXPECT_TRUE(user.errors.empty());
    ASSERT_EQ(clipboard.put.width, 20);
    ASSERT_EQ(clipboard.put.height, 10);
    // Blue, green, red: the AOI's first pixel is (5, 8), its last (24, 17).
    EXPECT_EQ(clipboard.put.Row(0)[0], 7);
    EXPECT_EQ(clipboard.put.Row(0)[1], 8);
    EXPECT_EQ(clipboard.put.Row(0)[2], 5);
    EXPECT_EQ(clipboard.put.Row(9)[19 * 4 + 1], 17);
    EXPECT_EQ(clipboard.put.Row(9)[19 * 4 + 2], 24);
    EXPECT_EQ(clipboard.closed, 1);
}

TEST(ClipboardTransfer, CopyFailures)
{
    const struct {
        const char* name;
        bool opens, empties, takes;
        int bits;
        std::vector<std::string> errors;
        int closed;
    } cases[] = {
        {"no clipboard", false, true, true, 32, {"Copy aborted, cannot open the clipboard"}, 0},
        {"cannot empty", true, false, true, 32, {"Copy aborted, cannot empty the clipboard"}, 1},
        {"too few colours",
         true,
         true,
         true,
         16,
         {"Your display is not currently set up to display sufficient colors.\nTo properly display the image,\n"
          "go into Control Panel - Display - Settings and set your color palette to\nTrue Color.",
          "Copy aborted, cannot copy image data"},
         1},
        {"not taken", true, true, false, 32, {"Copy aborted, cannot set clipboard data"}, 1},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(4, 4, [](int, int) { return 9; });
        FakeClipboard clipboard;
        clipboard.opens = c.opens;
        clipboard.empties = c.empties;
        clipboard.takes = c.takes;
        clipboard.bits = c.bits;
        CopyAoiToClipboard(image, clipboard);
        EXPECT_EQ(user.errors, c.errors) << c.name;
        EXPECT_EQ(clipboard.closed, c.closed) << c.name;
    }
}

TEST(ClipboardTransfer, PasteReplacesAndDetectsGrey)
{
    const struct {
        const char* name;
        std::uint32_t (*pixel)(int, int);
        int format;
    } cases[] = {
        {"all grey", [](int x, int y) { return Ref(x * 20 + y, x * 20 + y, x * 20 + y); }, FORMAT_GRAYSCALE},
        {"one coloured pixel",
         [](int x, int y) { return x == 2 && y == 1 ? Ref(200, 10, 10) : Ref(x * 20 + y, x * 20 + y, x * 20 + y); },
         FORMAT_RGB},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CNUVAKDoc doc;
        doc.image = MakeImage(50, 40, [](int, int) { return CColorVal(1, 2, 3); });
        doc.image.SetUpperLeft(3, 3, false);
        FakeClipboard clipboard;
        clipboard.Hold(6, 3, c.pixel);
        EXPECT_TRUE(PasteFromClipboard(doc, clipboard, false)) << c.name;
        EXPECT_EQ(doc.image.width, 6) << c.name;
        EXPECT_EQ(doc.image.height, 3) << c.name;
        EXPECT_EQ(doc.image.format, c.format) << c.name;
        EXPECT_EQ(doc.image.pixelValueArray[2][5].red, 102) << c.name;
        EXPECT_EQ((std::vector<int>{doc.image.aoiLeft, doc.image.aoiTop, doc.image.aoiRight, doc.image.aoiBottom}),
                  (std::vector<int>{0, 0, 5, 2}))
            << c.name;
        EXPECT_TRUE(doc.IsModified()) << c.name;
        EXPECT_TRUE(doc.CanUndo()) << c.name;
        EXPECT_TRUE(user.errors.empty()) << c.name;
        EXPECT_EQ(clipboard.closed, 1) << c.name;
    }
}

TEST(ClipboardTransfer, PasteIntoCentresOrReplaces)
{
    const struct {
        const char* name;
        int w, h;
        int width, height;  // of the result
        int left, top;      // where the bitmap went
    } cases[] = {
        {"10 x 10 into 100 x 80", 10, 10, 100, 80, 45, 35}, {"odd sizes", 7, 5, 100, 80, 47, 38},
        {"as large as the image", 100, 80, 100, 80, 0, 0},  {"wider than the image", 101, 10, 101, 10, 0, 0},
        {"taller than the image", 10, 81, 10, 81, 0, 0},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CNUVAKDoc doc;
        doc.image = MakeGrey(100, 80, [](int, int) { return 50; });
        FakeClipboard clipboard;
        clipboard.Hold(c.w, c.h, [](int, int) { return Ref(0, 200, 0); });
        EXPECT_TRUE(PasteFromClipboard(doc, clipboard, true)) << c.name;
        const CImage& image = doc.image;
        ASSERT_EQ(image.width, c.width) << c.name;
        ASSERT_EQ(image.height, c.height) << c.name;
        EXPECT_EQ(image.format, FORMAT_RGB) << c.name;
        EXPECT_EQ((std::vector<int>{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}),
                  (std::vector<int>{c.left, c.top, c.left + c.w - 1, c.top + c.h - 1}))
            << c.name;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const bool pasted = x >= c.left && x < c.left + c.w && y >= c.top && y < c.top + c.h;
                ASSERT_EQ(image.pixelValueArray[y][x].green, pasted ? 200 : 50) << c.name << " at " << x << "," << y;
            }
        EXPECT_TRUE(doc.IsModified()) << c.name;
    }
}

TEST(ClipboardTransfer, PasteFailuresKeepOneUndoStep)
{
    const struct {
        const char* name;
        bool into;
        bool opens;
        bool holds;
        int w, h;
        bool proceeds;
        std::vector<std::string> errors;
    } cases[] = {
        {"paste, no clipboard", false, false, true, 2, 2, false, {"Paste aborted, cannot open the clipboard"}},
        {"into, no clipboard", true, false, true, 2, 2, false, {"Paste Into aborted, cannot open the clipboard"}},
        {"paste, no bitmap", false, true, false, 2, 2, true, {}},
        {"paste, no memory", false, true, true, INT_MAX, INT_MAX, false, {"Paste aborted, unable to allocate memory"}},
        {"into, no memory",
         true,
         true,
         true,
         INT_MAX,
         INT_MAX,
         false,
         {"Paste Into aborted, unable to allocate memory"}},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CNUVAKDoc doc;
        doc.image = MakeGrey(8, 6, [](int x, int) { return x; });
        FakeClipboard clipboard;
        clipboard.opens = c.opens;
        clipboard.holds = c.holds;
        clipboard.width = c.w;
        clipboard.height = c.h;
        EXPECT_EQ(PasteFromClipboard(doc, clipboard, c.into), c.proceeds) << c.name;
        EXPECT_EQ(user.errors, c.errors) << c.name;
        EXPECT_EQ(doc.image.width, 8) << c.name;
        EXPECT_FALSE(doc.IsModified()) << c.name;
        EXPECT_TRUE(doc.CanUndo()) << c.name;
    }
}
