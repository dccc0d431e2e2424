#include <gtest/gtest.h>

#include "series/SeriesPaths.h"
#include "series/SeriesSettings.h"

TEST(SeriesPaths, BaseNameStemAndFolder)
{
    struct Case {
        const char* path;
        const char* base;
        const char* stem;
        const char* prefix;
        const char* folder;
    };
    const Case cases[] = {
        {"/data/in/cell.bmp", "cell.bmp", "cell", "/data/in/", "/data/in"},
        {"cell.bmp", "cell.bmp", "cell", "", "."},
        {"/data/in/noext", "noext", "", "/data/in/", "/data/in"},
        {"/data/v1.2/noext", "noext", "", "/data/v1.2/", "/data/v1.2"},
        {"/data/a.b.bmp", "a.b.bmp", "a.b", "/data/", "/data"},
        {"C:\\images\\run 1\\x.bmp", "x.bmp", "x", "C:\\images\\run 1\\", "C:\\images\\run 1"},
        {"/mixed\\sub/y.bmp", "y.bmp", "y", "/mixed\\sub/", "/mixed\\sub"},
        {"/top.bmp", "top.bmp", "top", "/", ""},
        {".hidden", ".hidden", "", "", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BaseName(c.path), c.base) << c.path;
        EXPECT_EQ(Stem(BaseName(c.path)), c.stem) << c.path;
        EXPECT_EQ(FolderPrefix(c.path), c.prefix) << c.path;
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    }
}

TEST(SeriesPaths, JoinAndLogName)
{
    EXPECT_EQ(JoinPath("/out", "a.bmp"), "/out/a.bmp");
    EXPECT_EQ(JoinPath("/out/", "a.bmp"), "/out/a.bmp");
    EXPECT_EQ(JoinPath("C:\\out\\", "a.bmp"), "C:\\out\\a.bmp");
    EXPECT_EQ(JoinPath("", "a.bmp"), "/a.bmp");  // the folder of a file at the root
    EXPECT_EQ(LogFileName({2004, 3, 7, 14, 5, 9}), "series_3_7_2004 14_5_9.log");
    EXPECT_EQ(LogFileName({2026, 12, 31, 0, 0, 0}), "series_12_31_2026 0_0_0.log");
    const LocalDateTime now = LocalNow();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

TEST(SeriesSettings, AddFileBuildsTheListAndCount)
{
    SeriesSettings settings;
    EXPECT_EQ(settings.overwriteChoice, SERIES_SAVE_TO_FOLDER);
    EXPECT_FALSE(settings.abortRequest);
    EXPECT_EQ(settings.fileCount, 0);
    EXPECT_TRUE(settings.outputFolder.empty() && settings.fileList.empty() && settings.operationName.empty());
    // The wizard pages' defaults.
    const OperationParams& p = settings.params;
    EXPECT_EQ(std::vector<int>({p.morphSize, p.morphDirection, p.repetitions, p.filterSize, p.prewittDirection,
                                p.clutterThreshold, p.significanceThreshold, p.interpolation, p.metricMask,
                                p.intensity, p.red, p.green, p.blue, p.boundMode, p.lowerLimit, p.upperLimit,
                                p.threshold, p.fillValue, p.editAbove, p.component}),
              std::vector<int>({3, 0, 1, 3, 0, 150, 20, 1, 2047, 0, 0, 0, 0, 1, 100, 150, 127, 0, 0, 3}));
    EXPECT_EQ(std::vector<double>({p.boost, p.theta, p.scaleX, p.scaleY}), std::vector<double>({1.0, 90.0, 100.0, 100.0}));
    EXPECT_TRUE(p.resultsFile.empty());
    settings.AddFile("/a/1.bmp");
    settings.AddFile("/a/2.bmp");
    EXPECT_EQ(settings.fileList, "/a/1.bmp\r\n/a/2.bmp\r\n");
    EXPECT_EQ(settings.fileCount, 2);
}
