// Building the series file list, and what a run would write over.
#include "series/SeriesSettings.h"

#include "image/SampleDepth.h"
#include "series/SeriesPaths.h"

void SeriesSettings::AddFile(const std::string& path)
{
    fileList += path;
    fileList += "\r\n";
    ++fileCount;
}

std::string SeriesSettings::FirstDeepSourceReplaced() const
{
    if (!Overwrites()) return std::string();
    for (const std::string& path : ListedFiles(fileList))
        if (OutputName(BaseName(path), outputFormat) == BaseName(path) && HoldsDeepSamples(path)) return path;
    return std::string();
}

bool SeriesSettings::WholeFiles() const { return !aoiGiven && !StepAoi(firstImage); }
