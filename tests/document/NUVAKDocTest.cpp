#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/NUVAKDoc.h"
#include "series/Operations.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

struct Watched {
    CNUVAKDoc doc;
    int redraws = 0;
    Watched()
    {
        doc.image = MakeImage(6, 4, [](int x, int y) { return CColorVal(x * 10, y * 10, 5); });
        doc.SetViewsHandler([this] { ++redraws; });
    }
};

int SetPixel(CImage& image, int value)
{
    image.pixelValueArray[0][0] = CColorVal(value, value, value);
    return 0;
}

}  // namespace

TEST(NUVAKDoc, PipelineOutcomes)
{
    struct Case {
        const char* name;
        bool dialogOk;      // only used when hasDialog
        bool hasDialog;
        int result;
        bool reportFailure;
        bool wait;
        bool modified;
        int redraws;
        int waits;
        const char* error;  // nullptr: none
    } cases[] = {
        {"plain success", true, false, 0, true, false, true, 1, 0, nullptr},
        {"dialog OK, waits", true, true, 0, true, true, true, 1, 1, nullptr},
        {"cancelled dialog", false, true, 0, true, true, false, 0, 0, nullptr},
        {"failure reported", true, false, -1, true, true, true, 1, 1, "It broke."},
        {"failure not reported", true, false, -1, false, false, true, 1, 0, nullptr},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        Watched w;
        int dialogs = 0;
        CNUVAKDoc::Dialog dialog;
        if (c.hasDialog) dialog = [&] { ++dialogs; return c.dialogOk; };
        w.doc.RunPipeline(
            [&](CImage& image) {
                EXPECT_EQ(user.waitDepth, c.wait ? 1 : 0) << c.name;
                image.errorMessage = "It broke.";
                SetPixel(image, 77);
                return c.result;
            },
            c.wait, c.reportFailure, dialog);
        EXPECT_EQ(dialogs, c.hasDialog ? 1 : 0) << c.name;
        EXPECT_EQ(w.doc.IsModified(), c.modified) << c.name;
        EXPECT_EQ(w.redraws, c.redraws) << c.name;
        EXPECT_EQ(user.waitCount, c.waits) << c.name;
        EXPECT_EQ(user.waitDepth, 0) << c.name;
        // A cancelled dialog leaves the undo steps as they were.
        EXPECT_EQ(w.doc.CanUndo(), c.modified) << c.name;
        if (c.error) {
            ASSERT_EQ(user.errors.size(), 1u) << c.name;
            EXPECT_EQ(user.errors[0], c.error);
        } else {
            EXPECT_TRUE(user.errors.empty()) << c.name;
        }
    }
}

TEST(NUVAKDoc, UndoAndRedoGoOneCommandAtATime)
{
    FakeUserInterface user;
    Watched w;
    w.doc.image.SetUpperLeft(1, 1, false);
    w.doc.image.SetLowerRight(3, 2, false);
    w.doc.RunPipeline([](CImage& image) { return SetPixel(image, 11); }, false, true);
    w.doc.RunPipeline(
        [](CImage& image) {
            image.SetWholeAoi();
            image.objects.resize(3);
            return SetPixel(image, 22);
        },
        false, true);
    // Invert, then a cancelled Threshold: both steps stay.
    w.doc.RunPipeline([](CImage& image) { return SetPixel(image, 33); }, false, true, [] { return false; });
    w.doc.SetModifiedFlag(false);

    struct Step {
        bool undo;
        int corner;
        int right;  // aoiRight
        int objects;
        bool canUndo, canRedo;
    } steps[] = {
        {true, 11, 3, 0, true, true},   // objects go with Undo
        {true, 5, 3, 0, false, true},   // back to the start
        {false, 11, 3, 0, true, true},
        {false, 22, 5, 3, true, false},  // Redo brings them back
        {true, 11, 3, 0, true, true},
    };
    for (const Step& s : steps) {
        s.undo ? w.doc.OnEditUndo() : w.doc.OnEditRedo();
        EXPECT_EQ(w.doc.image.pixelValueArray[0][0].blue, s.corner) << s.corner;
        EXPECT_EQ(w.doc.image.aoiRight, s.right) << s.corner;
        EXPECT_EQ(w.doc.image.ObjectCount(), s.objects) << s.corner;
        EXPECT_EQ(w.doc.CanUndo(), s.canUndo) << s.corner;
        EXPECT_EQ(w.doc.CanRedo(), s.canRedo) << s.corner;
        EXPECT_TRUE(w.doc.IsModified());
    }
    EXPECT_TRUE(user.errors.empty());

    // A new change forgets the step undone.
    w.doc.RunPipeline([](CImage& image) { return SetPixel(image, 44); }, false, true);
    EXPECT_FALSE(w.doc.CanRedo());
    w.doc.OnEditUndo();
    w.doc.OnEditUndo();
    EXPECT_EQ(w.doc.image.pixelValueArray[0][0].blue, 5);

    // Nothing left: the message, and the image (objects included) stays.
    w.doc.image.objects.resize(2);
    w.doc.SetModifiedFlag(false);
    const int redraws = w.redraws;
    w.doc.OnEditUndo();
    ASSERT_EQ(user.errors, std::vector<std::string>{"Undo fails."});
    EXPECT_EQ(w.doc.image.pixelValueArray[0][0].blue, 5);
    EXPECT_EQ(w.doc.image.ObjectCount(), 2);
    EXPECT_EQ(w.doc.image.width, 6);
    EXPECT_TRUE(w.doc.IsModified());
    EXPECT_EQ(w.redraws, redraws + 1);
}

TEST(NUVAKDoc, TableCommands)
{
    struct Case {
        int id;
        int width, height, format;
        CColorVal corner;  // pixel (0, 0) afterwards
    } cases[] = {
        {cmd::Grayscale, 6, 4, FORMAT_GRAYSCALE, CColorVal(1, 1, 1)},  // 0.114 * 5 rounds to 1
        {cmd::Rgb, 6, 4, FORMAT_RGB, CColorVal(0, 0, 5)},
        {cmd::Crop, 6, 4, FORMAT_RGB, CColorVal(0, 0, 5)},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        Watched w;
        w.doc.image.objects.resize(1);
        ASSERT_TRUE(CNUVAKDoc::CommandAvailable(c.id));
        ASSERT_TRUE(w.doc.RunCommand(c.id));
        EXPECT_EQ(w.doc.image.width, c.width) << c.id;
        EXPECT_EQ(w.doc.image.height, c.height) << c.id;
        EXPECT_EQ(w.doc.image.format, c.format) << c.id;
        EXPECT_EQ(w.doc.image.pixelValueArray[0][0], c.corner) << c.id;
        EXPECT_TRUE(w.doc.IsModified());
        EXPECT_EQ(w.redraws, 1);
        EXPECT_TRUE(w.doc.CanUndo());
    }
}

TEST(NUVAKDoc, CropOfTheWholeImageKeepsEveryPixelAndDropsObjects)
{
    FakeUserInterface user;
    Watched w;
    const CImage before = w.doc.image;
    w.doc.image.objects.resize(2);
    w.doc.image.SetWholeAoi();
    ASSERT_TRUE(w.doc.RunCommand(cmd::Crop));
    ASSERT_EQ(w.doc.image.pixelValueArray.size(), before.pixelValueArray.size());
    EXPECT_TRUE(std::equal(before.pixelValueArray.data(), before.pixelValueArray.data() + before.pixelValueArray.size(),
                           w.doc.image.pixelValueArray.data()));
    EXPECT_EQ(w.doc.image.ObjectCount(), 0);
    EXPECT_TRUE(w.doc.IsModified());
}

TEST(NUVAKDoc, CommandsWaitForTheirOperationRows)
{
    for (int id : {cmd::Invert, cmd::FlipHorizontal, cmd::FlipVertical, cmd::Sobel}) {
        Watched w;
        const bool built = CNUVAKDoc::CommandAvailable(id);
        EXPECT_EQ(w.doc.RunCommand(id), built) << id;
        EXPECT_EQ(w.doc.IsModified(), built) << id;
    }
    Watched w;
    EXPECT_FALSE(w.doc.RunCommand(cmd::Threshold));
    EXPECT_FALSE(w.doc.CanUndo());
}

TEST(NUVAKDoc, AttributesAndClearObjects)
{
    FakeUserInterface user;
    Watched w;
    w.doc.image.BlankImage(640, 480, CColorVal(255, 255, 255));
    w.doc.OnImageAttributes();
    w.doc.SetPathName("/data/cells.bmp");
    w.doc.OnImageAttributes();
    ASSERT_EQ(user.notices.size(), 2u);
    EXPECT_EQ(user.notices[0],
              "File has not been saved yet.\nwidth = 640 pixels\nheight = 480 pixels\n\nImage format: RGB\n"
              "Area of Interest, upper left:  (0, 0)\nArea of Interest, lower right:  (639, 479)\n");
    EXPECT_EQ(user.notices[1].substr(0, 17), "/data/cells.bmp\n\n");
    EXPECT_EQ(w.doc.GetTitle(), "cells.bmp");
    EXPECT_FALSE(w.doc.IsModified());
    EXPECT_EQ(w.redraws, 0);

    w.doc.image.objects.resize(4);
    w.doc.OnClearObjects();
    EXPECT_EQ(w.doc.image.ObjectCount(), 0);
    EXPECT_TRUE(w.doc.IsModified());
    EXPECT_FALSE(w.doc.CanUndo());
    EXPECT_EQ(w.redraws, 1);
}

TEST(NUVAKDoc, OpenAndSave)
{
    FakeUserInterface user;
    TempDir dir;
    Watched w;
    w.doc.RunPipeline([](CImage& image) { return SetPixel(image, 40); }, false, true);
    ASSERT_TRUE(w.doc.OnSaveDocument(dir.path("a.bmp")));
    EXPECT_FALSE(w.doc.IsModified());
    EXPECT_EQ(w.doc.GetTitle(), "a.bmp");

    CNUVAKDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(dir.path("a.bmp")));
    EXPECT_EQ(opened.image.width, 6);
    EXPECT_EQ(opened.image.pixelValueArray[0][0], CColorVal(40, 40, 40));
    EXPECT_EQ(opened.GetPathName(), dir.path("a.bmp"));
    EXPECT_FALSE(opened.CanUndo());
    EXPECT_TRUE(user.errors.empty());

    // A refused bitmap: the reader's one message, nothing opened.
    WriteBytes(dir.path("bad.bmp"), {'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    CNUVAKDoc refused;
    EXPECT_FALSE(refused.OnOpenDocument(dir.path("bad.bmp")));
    EXPECT_EQ(user.errors, std::vector<std::string>{dir.path("bad.bmp") + " is not a bitmap, PNG, TIFF or JPEG file."});
    EXPECT_TRUE(refused.GetPathName().empty());

    // A missing file: the reading failure is shown.
    user.errors.clear();
    EXPECT_FALSE(refused.OnOpenDocument(dir.path("none.bmp")));
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0].rfind("Failed to open file " + dir.path("none.bmp") + " for reading.\nCause:  ", 0), 0u);

    user.errors.clear();
    CNUVAKDoc empty;
    EXPECT_FALSE(empty.OnSaveDocument(dir.path("e.bmp")));
    EXPECT_EQ(user.errors, std::vector<std::string>{"Requested image file " + dir.path("e.bmp") +
                                                    " not written.\nThe image is empty."});
}

// Save writes the format the file was opened in, whatever its name; Save As's
// choice is kept for the next Save.
TEST(NUVAKDoc, SaveKeepsTheFormat)
{
    FakeUserInterface user;
    TempDir dir;
    CImage png = MakeGrey(5, 4, [](int x, int y) { return x * 9 + y; });
    std::string message;
    bool causeValid = false;
    int cause = 0;
    ASSERT_EQ(png.SerializeFile(true, dir.path("scan.dat"), false, message, causeValid, cause, {FileFormat::Png, 95}), 0);
    auto formatOf = [&](const std::string& name) {
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.path(name));
        return DetectFileFormat(bytes.data(), bytes.size());
    };
    CNUVAKDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.path("scan.dat")));
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName(), doc.saveOptions));
    EXPECT_EQ(formatOf("scan.dat"), FileFormat::Png);
    ASSERT_TRUE(doc.OnSaveDocument(dir.path("copy.bin"), {FileFormat::Jpeg, 40}));
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName(), doc.saveOptions));
    EXPECT_EQ(formatOf("copy.bin"), FileFormat::Jpeg);
    EXPECT_EQ(doc.saveOptions.jpegQuality, 40);
}

