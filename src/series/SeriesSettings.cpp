// Building the series file list.
#include "series/SeriesSettings.h"

void SeriesSettings::AddFile(const std::string& path)
{
    fileList += path;
    fileList += "\r\n";
    ++fileCount;
}

bool SeriesSettings::WholeFiles() const { return !aoiGiven && !StepAoi(firstImage); }
