// Names of series files.
#include "series/SeriesPaths.h"

#include <ctime>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/Format.h"

namespace {

constexpr const char* kSeparators = "/\\";

bool EndsWithSeparator(const std::string& path)
{
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

std::string BaseName(const std::string& path)
{
    const size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string Stem(const std::string& baseName)
{
    const size_t dot = baseName.find_last_of('.');
    return dot == std::string::npos ? std::string() : baseName.substr(0, dot);
}

std::string FolderPrefix(const std::string& path)
{
    const size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? std::string(".") : path.substr(0, sep);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return EndsWithSeparator(folder) ? folder + name : folder + "/" + name;
}

std::string TypedFileName(const std::string& typed, const std::string& folder, const std::string& extension)
{
    if (typed.empty()) return typed;
    std::string name = typed;
    if (BaseName(name).find('.') == std::string::npos && !EndsWithSeparator(name)) name += extension;
    if (std::filesystem::path(name).is_relative() && !folder.empty()) name = JoinPath(folder, name);
    return name;
}

std::vector<std::string> ListedFiles(const std::string& fileList)
{
    std::vector<std::string> files;
    for (size_t start = 0, end; (end = fileList.find("\r\n", start)) != std::string::npos; start = end + 2)
        files.push_back(fileList.substr(start, end - start));
    return files;
}

std::string SourceInFolder(const std::vector<std::string>& files, const std::string& folder)
{
    namespace fs = std::filesystem;
    for (const std::string& file : files) {
        std::error_code error;
        const fs::path source = FolderOf(file), target = folder.empty() ? "." : folder;
        const bool same = fs::equivalent(source, target, error);
        if (error ? source.lexically_normal() == target.lexically_normal() : same) return file;
    }
    return std::string();
}

std::string OutputName(const std::string& baseName, std::optional<FileFormat> format)
{
    if (!format) return baseName;
    const std::string stem = Stem(baseName);
    return (stem.empty() ? baseName : stem) + FileFormatExtension(*format);
}

std::string OutputSuffix(const std::string& suffix, FileFormat format)
{
    if (format == FileFormat::Bitmap) return suffix;
    return Stem(suffix) + FileFormatExtension(format);
}

std::string CombinedResultsName(const std::string& resultsFile)
{
    const std::string name = BaseName(resultsFile);
    const std::string stem = Stem(name);
    return (stem.empty() ? name : stem) + "_all.csv";
}

LocalDateTime LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string LogFileName(const LocalDateTime& when)
{
    return platform::Format("series_%d_%d_%d %d_%d_%d.log", when.month, when.day, when.year, when.hour,
                            when.minute, when.second);
}

// The file list separates paths by "\r\n". Saved results land in one folder
// under their base names, so two sources of one base name would silently
// overwrite each other's results.
std::string SeriesFilesRefusal(const std::vector<std::string>& files, const std::optional<std::string>& outDir,
                               std::optional<FileFormat> format)
{
    std::set<std::string> bases;
    std::set<std::string> paths;
    for (const std::string& file : files) {
        if (file.find("\r\n") != std::string::npos)
            return "a file name must not contain a carriage return and line feed";
        const std::string name = OutputName(BaseName(file), format);
        if (outDir && paths.insert(file).second && !bases.insert(name).second)
            return platform::Format("two files are named %s; their results would overwrite each other in --out",
                                    name.c_str());
    }
    if (!outDir) return std::string();
    // A result written under its source's own name into the source's folder would replace it.
    std::vector<std::string> replaced;
    for (const std::string& file : files)
        if (OutputName(BaseName(file), format) == BaseName(file)) replaced.push_back(file);
    const std::string source = SourceInFolder(replaced, *outDir);
    if (source.empty()) return std::string();
    return platform::Format("%s lies in the --out folder, whose results would replace it; give --overwrite to do that",
                            source.c_str());
}
