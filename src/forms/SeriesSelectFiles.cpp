// Select Files page: the checks before the wizard moves on.
#include "forms/SeriesSelectFiles.h"

#include <sys/stat.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/SeriesFileRead.h"
#include "series/SeriesPaths.h"

namespace {

constexpr long kIso9660Magic = 0x9660;
constexpr long kUdfMagic = 0x15013346;

// The AOI is chosen on the first file; with "Skip files that cannot be
// read" ticked an unreadable one is passed over for the next, as the run will.
bool ReadFirstFile(SeriesSettings& settings)
{
    const std::vector<std::string> files = ListedFiles(settings.fileList);
    platform::WaitCursor wait;
    std::optional<std::string> firstRefusal;
    for (const std::string& path : files) {
        const std::optional<std::string> refusal = ReadSeriesFile(settings.firstImage, path);
        if (!refusal) {
            if (settings.Overwrites()) settings.outputFolder = FolderOf(files.front());
            return true;
        }
        // The reader's own words do not always say which file they are about.
        if (!firstRefusal)
            firstRefusal = refusal->find(path) != std::string::npos
                               ? *refusal
                               : platform::Format("Failed to read image %s.\n%s", path.c_str(), refusal->c_str());
        if (!settings.skipUnreadable) break;
    }
    platform::error(firstRefusal.value_or(""));
    platform::error("Series processing aborted");
    return false;
}

}  // namespace

bool TakeFileSelection(SeriesSettings& settings, const std::vector<std::string>& paths)
{
    size_t characters = 1;
    for (const std::string& path : paths) characters += path.size() + 1;
    if (characters > static_cast<size_t>(kSeriesFileBuffer)) {
        platform::error(platform::Format(
            "Too many files have been specified.  The file buffer can only hold %d characters.", kSeriesFileBuffer));
        return false;
    }
    settings.fileList.clear();
    settings.fileCount = 0;
    for (const std::string& path : paths) settings.AddFile(path);
    return true;
}

FolderKind ProbeFolder(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return FolderKind::Missing;
    if (!S_ISDIR(st.st_mode)) return FolderKind::NotDirectory;
#ifdef __linux__
    struct statfs fs;
    if (::statfs(path.c_str(), &fs) == 0) {
        const long type = static_cast<long>(fs.f_type);
        if (type == kIso9660Magic || type == kUdfMagic) return FolderKind::ReadOnlyOptical;
    }
#endif
    return FolderKind::Directory;
}

bool SelectFilesNext(SeriesSettings& settings, int& focus, FolderProbe probe)
{
    focus = 0;
    if (settings.fileList.empty() || settings.fileList == kSeriesNoFilesText) {
        platform::error("Please select files to process");
        focus = kSeriesBrowseButton;
        return false;
    }
    const char* const warning = "Warning!!!\n\nYou have chosen to overwrite the data in your original image files\n"
                                "with the results of this procedure.\nAre you sure you want to proceed?";
    if (settings.Overwrites()) {
        if (!platform::askYesNo(warning)) return false;
    } else {
        const char* folder = settings.outputFolder.c_str();
        if (settings.outputFolder.empty()) {
            platform::error("Please select an output directory");
            focus = kSeriesChangeButton;
            return false;
        }
        switch (probe(settings.outputFolder)) {
            case FolderKind::Missing:
                platform::error(platform::Format("The directory you specified, %s, was not found.\n"
                                                 "Please verify that you selected a DIRECTORY and not a DRIVE.",
                                                 folder));
                return false;
            case FolderKind::NotDirectory:
                platform::error(platform::Format("%s is not a valid directory.", folder));
                return false;
            case FolderKind::ReadOnlyOptical:
                platform::error(platform::Format("The directory you selected for output:\n%s\nis located on a "
                                                 "CD-ROM.\nThis application does not support writing to CD-ROM.\n"
                                                 "Please select a different directory.",
                                                 folder));
                return false;
            case FolderKind::Directory: break;
        }
        // Results saved beside their sources replace them, as overwriting does.
        if (!SourceInFolder(ListedFiles(settings.fileList), settings.outputFolder).empty() &&
            !platform::askYesNo(warning))
            return false;
    }
    return ReadFirstFile(settings);
}
