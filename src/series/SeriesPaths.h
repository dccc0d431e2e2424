// Names of series files: base name and stem of a source path, output paths
// and the log file's name. Both '/' and '\\' separate folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/ImageFormat.h"

// The part after the last separator; the whole path when it has none.
std::string BaseName(const std::string& path);
// The base name up to, not including, its last "."; empty when it has none.
std::string Stem(const std::string& baseName);
// The path up to and including its last separator; empty when it has none.
std::string FolderPrefix(const std::string& path);
// The path up to, not including, its last separator; "." when it has none.
std::string FolderOf(const std::string& path);
// folder + "/" + name, without doubling a separator the folder ends with.
std::string JoinPath(const std::string& folder, const std::string& name);
// A typed file name made whole: extension (".dat") added when its base name
// has none, and a relative name taken in folder, not the working folder.
std::string TypedFileName(const std::string& typed, const std::string& folder, const std::string& extension);

// The paths of a series file list, each ended by "\r\n".
std::vector<std::string> ListedFiles(const std::string& fileList);
// The first of files that lies in folder (the same folder however it is
// written, when both exist); empty when none does. Results saved to that
// folder would replace it.
std::string SourceInFolder(const std::vector<std::string>& files, const std::string& folder);
// Why these files cannot make one run, or "": a name holding the file
// list's line end, two results of one name in the output folder, or a
// source its result would replace there. outDir is the folder results are
// saved to; none when they overwrite their sources.
std::string SeriesFilesRefusal(const std::vector<std::string>& files, const std::optional<std::string>& outDir,
                               std::optional<FileFormat> format);
// The name a result is written under: the source's base name, or with
// format given its stem (the whole name when it has none) and the format's
// extension.
std::string OutputName(const std::string& baseName, std::optional<FileFormat> format);
// An extra file's suffix such as "_red.bmp" for results written in format:
// bitmaps keep it, the other formats take their own extension.
std::string OutputSuffix(const std::string& suffix, FileFormat format);

// The combined table of a series' object results: the results file's stem
// (the whole name without one) and "_all.csv".
std::string CombinedResultsName(const std::string& resultsFile);

// Local date and time as the log name needs them (month 1-12, four-digit year).
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalDateTime LocalNow();
// "series_M_D_YYYY H_M_S.log", every number without leading zeros.
std::string LogFileName(const LocalDateTime& when);
