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
    for (size_t start = 0, end; (end = fileList.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string path = fileList.substr(start, end - start);
        if (OutputName(BaseName(path), outputFormat) == BaseName(path) && HoldsDeepSamples(path)) return path;
    }
    return std::string();
}
