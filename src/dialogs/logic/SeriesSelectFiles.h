// The series wizard's Select Files page: its empty list text and the checks
// of Next, which also read the first file.
#pragma once

#include <string>

#include "series/SeriesSettings.h"

// The file list text that also means no file is chosen.
constexpr const char* kSeriesNoFilesText = "Use the Browse button to select files";
constexpr int kSeriesBrowseButton = 1006;
constexpr int kSeriesChangeButton = 2254;

enum class FolderKind {
    Missing,
    NotDirectory,
    ReadOnlyOptical,  // a folder on an iso9660 or udf medium: cannot take results
    Directory
};
FolderKind ProbeFolder(const std::string& path);
using FolderProbe = FolderKind (*)(const std::string& path);

// Next on Select Files, in order: files chosen, the overwrite warning or the
// output folder's checks, then the first file read into settings.firstImage
// (in overwrite mode the output folder becomes its folder). Every refusal
// is shown; false keeps the page, with focus set to the control to focus
// (0: none).
bool SelectFilesNext(SeriesSettings& settings, int& focus, FolderProbe probe = ProbeFolder);
