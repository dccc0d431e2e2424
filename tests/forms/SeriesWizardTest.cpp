#include <gtest/gtest.h>

#include <fstream>

#include "forms/ScaleDialogModel.h"
#include "forms/SeriesNavigation.h"
#include "forms/SeriesSelectFiles.h"
#include "image/Image.h"
#include "series/Operations.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

using P = SeriesPage;

std::string WriteGrey(const TempDir& dir, const std::string& name)
{
    CImage image = MakeGrey(3, 2, [](int x, int) { return 40 * x; });
    std::string message;
    bool causeValid;
    int cause;
    const std::string path = dir.path(name);
    EXPECT_EQ(image.SerializeFile(true, path, false, message, causeValid, cause), 0) << message;
    return path;
}

}  // namespace

TEST(SeriesNavigation, NextAndBackByOperationGroup)
{
    struct Case {
        const char* operation;
        SeriesPage afterAoi;        // Next from Select AOI
        SeriesPage confirmBack;     // Back from Confirmation
    } cases[] = {
        {"Grayscale", P::Confirmation, P::SelectOperation},
        {"Extract RGB", P::Confirmation, P::SelectOperation},
        {"Comb", P::Confirmation, P::SelectOperation},
        {"Crop", P::Confirmation, P::SelectAoi},
        {"Invert", P::Confirmation, P::SelectAoi},
        {"Sobel", P::Confirmation, P::SelectAoi},
        {"Flip Vertical", P::Confirmation, P::SelectAoi},
        {"Flip Horizontal", P::Confirmation, P::SelectAoi},
        {"Erosion", P::MorphParams, P::MorphParams},
        {"Valley Detection", P::MorphParams, P::MorphParams},
        {"High Pass Filter", P::FilterParams, P::FilterParams},
        {"Prewitt", P::FilterParams, P::FilterParams},
        {"Clean", P::FilterParams, P::FilterParams},
        {"Rotate", P::TransformParams, P::TransformParams},
        {"Scale", P::TransformParams, P::TransformParams},
        {"Find Objects", P::ObjectParams, P::ObjectParams},
        {"Bound", P::ProcessParams, P::ProcessParams},
        {"Brightness Slice", P::ProcessParams, P::ProcessParams},
        {"Threshold", P::ProcessParams, P::ProcessParams},
    };
    for (const Case& c : cases) {
        const bool usesAoi = c.confirmBack != P::SelectOperation;
        EXPECT_EQ(SeriesNextPage(P::SelectFiles, c.operation), P::SelectOperation);
        EXPECT_EQ(SeriesNextPage(P::SelectOperation, c.operation), usesAoi ? P::SelectAoi : P::Confirmation)
            << c.operation;
        if (usesAoi) {
            EXPECT_EQ(SeriesNextPage(P::SelectAoi, c.operation), c.afterAoi) << c.operation;
        }
        if (c.afterAoi != P::Confirmation) {
            EXPECT_EQ(SeriesNextPage(c.afterAoi, c.operation), P::Confirmation) << c.operation;
            EXPECT_EQ(SeriesBackPage(c.afterAoi, c.operation), P::SelectAoi) << c.operation;
        }
        EXPECT_EQ(SeriesBackPage(P::Confirmation, c.operation), c.confirmBack) << c.operation;
        EXPECT_EQ(SeriesBackPage(P::SelectAoi, c.operation), P::SelectOperation);
        EXPECT_EQ(SeriesBackPage(P::SelectOperation, c.operation), P::SelectFiles);
    }
    EXPECT_EQ(SeriesBackPage(P::SelectFiles, "Comb"), P::SelectFiles);
    EXPECT_EQ(SeriesNextPage(P::Confirmation, "Comb"), P::Confirmation);
    EXPECT_STREQ(SeriesPageCaption(P::SelectFiles), "Series Processing - Select Files");
    EXPECT_STREQ(SeriesPageCaption(P::FilterParams), "Series Processing - Filter parameters");
    EXPECT_STREQ(SeriesPageCaption(P::Confirmation), "Series Processing - Confirmation");
}

TEST(SeriesNavigation, OperationListsByFormatAndReselection)
{
    const std::vector<std::string> rgb = SeriesOperationList(FORMAT_RGB);
    const std::vector<std::string> grey = SeriesOperationList(FORMAT_GRAYSCALE);
    auto has = [](const std::vector<std::string>& list, const char* name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    EXPECT_TRUE(has(rgb, "Grayscale"));
    EXPECT_FALSE(has(grey, "Grayscale"));
    EXPECT_FALSE(has(rgb, "Brightness Slice"));
    EXPECT_TRUE(has(grey, "Brightness Slice"));
    EXPECT_FALSE(has(rgb, "FFT"));  // not a series operation
    for (const char* name : {"Bound", "Crop", "Comb", "Threshold", "Rotate", "Scale", "Find Objects"}) {
        EXPECT_TRUE(has(rgb, name)) << name;
        EXPECT_TRUE(has(grey, name)) << name;
    }
    for (const char* name : {"Erosion", "Median Filter", "Clean"})
        EXPECT_EQ(has(grey, name), OperationAvailable(name)) << name;
    EXPECT_TRUE(std::is_sorted(rgb.begin(), rgb.end()));
    EXPECT_EQ(rgb.front(), "Bound");

    EXPECT_EQ(SeriesOperationSelection(grey, ""), 0);
    EXPECT_EQ(grey[SeriesOperationSelection(grey, "Threshold")], "Threshold");
    EXPECT_EQ(grey[SeriesOperationSelection(grey, "flip")], "Flip Horizontal");
    EXPECT_EQ(SeriesOperationSelection(grey, "Grayscale"), -1);
    EXPECT_STREQ(kSeriesNoOperation, "Please select an operation from the list provided.");
}

TEST(SeriesSelectFiles, NextChecksInOrder)
{
    TempDir dir;
    const std::string first = WriteGrey(dir, "first.bmp");
    const std::string plainFile = WriteGrey(dir, "plain.bmp");
    struct Case {
        const char* name;
        bool files;
        int choice;
        std::string folder;
        FolderProbe probe;
        bool proceeds;
        int focus;
        const char* error;  // nullptr: none
    } cases[] = {
        {"no files", false, SERIES_SAVE_TO_FOLDER, dir.root().string(), ProbeFolder, false, kSeriesBrowseButton,
         "Please select files to process"},
        {"no folder", true, SERIES_SAVE_TO_FOLDER, "", ProbeFolder, false, kSeriesChangeButton,
         "Please select an output directory"},
        {"missing", true, SERIES_SAVE_TO_FOLDER, "/no/such/folder", ProbeFolder, false, 0,
         "The directory you specified, /no/such/folder, was not found.\n"
         "Please verify that you selected a DIRECTORY and not a DRIVE."},
        {"a file", true, SERIES_SAVE_TO_FOLDER, plainFile, ProbeFolder, false, 0, nullptr},
        {"optical", true, SERIES_SAVE_TO_FOLDER, "/media/cdrom",
         [](const std::string&) { return FolderKind::ReadOnlyOptical; }, false, 0,
         "The directory you selected for output:\n/media/cdrom\nis located on a CD-ROM.\n"
         "This application does not support writing to CD-ROM.\nPlease select a different directory."},
        {"good folder", true, SERIES_SAVE_TO_FOLDER, dir.root().string(), ProbeFolder, true, 0, nullptr},
    };
    for (const Case& c : cases) {
        FakeUserInterface ui;
        SeriesSettings settings;
        if (c.files) settings.AddFile(first);
        settings.overwriteChoice = c.choice;
        settings.outputFolder = c.folder;
        int focus = -1;
        EXPECT_EQ(SelectFilesNext(settings, focus, c.probe), c.proceeds) << c.name;
        EXPECT_EQ(focus, c.focus) << c.name;
        if (c.error) {
            EXPECT_EQ(ui.errors, (std::vector<std::string>{c.error})) << c.name;
        }
        if (c.proceeds) {
            EXPECT_EQ(settings.firstImage.width, 3) << c.name;
        }
    }
    FakeUserInterface ui;
    SeriesSettings settings;
    settings.AddFile(first);
    settings.outputFolder = plainFile;
    int focus;
    EXPECT_FALSE(SelectFilesNext(settings, focus));
    EXPECT_EQ(ui.errors, (std::vector<std::string>{plainFile + " is not a valid directory."}));
    EXPECT_EQ(ProbeFolder(dir.root().string()), FolderKind::Directory);
}

TEST(SeriesSelectFiles, OverwriteAskAndFirstFile)
{
    TempDir dir;
    const std::string first = WriteGrey(dir, "first.bmp");
    const char* warning = "Warning!!!\n\nYou have chosen to overwrite the data in your original image files\n"
                          "with the results of this procedure.\nAre you sure you want to proceed?";
    {
        FakeUserInterface ui;
        ui.answers = {false};
        SeriesSettings settings;
        settings.AddFile(first);
        settings.overwriteChoice = SERIES_OVERWRITE;
        settings.outputFolder = "/elsewhere";
        int focus;
        EXPECT_FALSE(SelectFilesNext(settings, focus));
        EXPECT_EQ(ui.questions, (std::vector<std::string>{warning}));
        EXPECT_EQ(settings.outputFolder, "/elsewhere");
    }
    {
        FakeUserInterface ui;
        SeriesSettings settings;
        settings.AddFile(first);
        settings.AddFile(dir.path("second.bmp"));
        settings.overwriteChoice = SERIES_OVERWRITE;
        settings.outputFolder = "/elsewhere";
        int focus;
        EXPECT_TRUE(SelectFilesNext(settings, focus));
        EXPECT_EQ(settings.outputFolder, dir.root().string());
        EXPECT_EQ(settings.firstImage.format, FORMAT_GRAYSCALE);
        EXPECT_EQ(ui.waitDepth, 0);
        EXPECT_EQ(ui.waitCount, 1);
    }
    FakeUserInterface ui;
    SeriesSettings settings;
    const std::string missing = dir.path("gone.bmp");
    settings.AddFile(missing);
    settings.outputFolder = dir.root().string();
    int focus;
    EXPECT_FALSE(SelectFilesNext(settings, focus));
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(ui.errors[0].rfind("Failed to open file " + missing + " for reading.\nCause:  ", 0), 0u);
    EXPECT_EQ(ui.errors[1], "Series processing aborted");
    EXPECT_EQ(ui.waitDepth, 0);
}

// An unreadable first file is named; with "Skip files that cannot be read"
// ticked the next readable one gives the image the AOI is chosen on.
TEST(SeriesSelectFiles, UnreadableFirstFileIsNamedOrSkipped)
{
    TempDir dir;
    const std::string good = WriteGrey(dir, "good.bmp");
    const std::string bad = dir.path("bad.bmp");
    std::ofstream(bad) << "this is text, not an image";
    const std::string named = bad + " is not a bitmap, PNG, TIFF or JPEG file.";
    const struct {
        bool skip;
        std::vector<std::string> files;
        bool proceeds;
        std::vector<std::string> errors;
    } cases[] = {
        {false, {bad, good}, false, {named, "Series processing aborted"}},
        {true, {bad, good}, true, {}},
        {true, {bad, bad}, false, {named, "Series processing aborted"}},
    };
    for (const auto& c : cases) {
        FakeUserInterface ui;
        SeriesSettings settings;
        for (const std::string& file : c.files) settings.AddFile(file);
        settings.outputFolder = dir.root().string();
        settings.skipUnreadable = c.skip;
        int focus;
        EXPECT_EQ(SelectFilesNext(settings, focus), c.proceeds) << c.skip;
        EXPECT_EQ(ui.errors, c.errors) << c.skip;
        EXPECT_EQ(settings.firstImage.width, c.proceeds ? 3 : 0) << c.skip;
    }
}

TEST(SeriesTransformPage, ScaleRangeIsTheDialogs)
{
    struct Case {
        double x, y;
        int control;
    } cases[] = {{0, 100, 1033}, {400.5, 100, 1033}, {400, 400, 0}, {100, -1, 1037}, {0.01, 1, 0}};
    for (const Case& c : cases) {
        const std::optional<FieldFailure> f = CheckScalePercents(c.x, 1033, c.y, 1037);
        EXPECT_EQ(f ? f->control : 0, c.control) << c.x << " " << c.y;
        if (f) {
            EXPECT_EQ(f->message, "Please enter a value between 0 and 400");
        }
    }
}
