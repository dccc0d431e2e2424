// A folder of generated bitmaps, a fixed clock and callbacks that record
// every call, for series engine tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "series/SeriesEngine.h"
#include "support/BitmapFiles.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"

// "series_3_7_2026 14_5_9.log"
LocalDateTime FixedTime();

// The file names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& folder);
// Text with every "\n" as a carriage return and line feed, as logs hold it.
std::string Crlf(const std::string& text);

class SeriesRunTest : public ::testing::Test {
protected:
    SeriesRunTest();

    // Writes an RGB file whose pixel (x, y) is (10 x + seed, 20 y + seed, 3 seed) into the input folder
    // and adds it to the run.
    std::string AddSource(const std::string& name, int width = 4, int height = 3, int seed = 0);
    // Reads the first file as the wizard does, with the whole image as AOI.
    void ReadFirstImage();
    SeriesResult Run(const OperationLookup& lookup = FindSeriesOperation);
    std::string LogPath() const { return out + "/series_3_7_2026 14_5_9.log"; }
    // The log's first lines for the current confirmation text.
    std::string LogHead() const;

    FakeUserInterface ui;
    TempDir dir;
    const std::string in = dir.path("in");
    const std::string out = dir.path("out");
    SeriesSettings settings;
    SeriesCallbacks callbacks;
    std::vector<std::string> events;
    std::vector<int> progress;
    std::string confirmation;  // as built before the run
};
