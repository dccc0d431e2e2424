// The series wizard's Select Files page: its empty list text and the checks
// of Next, which also read the first file.
#pragma once

#include <string>
#include <vector>

#include "series/SeriesSettings.h"

// The file list text that also means no file is chosen.
constexpr const char* kSeriesNoFilesText = "Use the Browse button to select files";
constexpr int kSeriesBrowseButton = 1006;
constexpr int kSeriesChangeButton = 2254;

// The file dialog's buffer, in characters.
constexpr int kSeriesFileBuffer = 1000000;
// Browse's OK: the list and the count start again with these paths, in
// order. A selection that does not fit the buffer (each path and its
// terminator, and a closing one) is refused with "Too many files have been
// specified..." and changes nothing.
bool TakeFileSelection(SeriesSettings& settings, const std::vector<std::string>& paths);

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
