#include "processing/FilterFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "processing/WeightEntry.h"
#include "image/File.h"
#include "platform/Format.h"

using platform::Format;

const char* const kWeightsMustBeValid =
    "Error:  all filter weights must be valid before file is written.\nPlease enter valid weight and try again.";

namespace {

// A line without its line end, cut to the 79 characters a weight box holds.
bool ReadLine(std::ifstream& in, std::string& line)
{
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 79) line.resize(79);
    return true;
}

bool HasFilterExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == "FTR";
}

bool IsFilterSize(int size) { return size == 3 || size == 5 || size == 7 || size == 9; }

}  // namespace

std::string ReadFilterFile(const std::string& path, FilterFileContents& contents)
{
    if (!HasFilterExtension(path)) return "Error:  the selected file is not a recognized filter file.";
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    // A folder opens as a stream but reads nothing.
    if (!in || std::filesystem::is_directory(path, ec))
        return Format("Error:  %s cannot be opened for input.", path.c_str());
    std::string line;
    ReadLine(in, line);
    const long number = std::strtol(line.c_str(), nullptr, 10);
    const int size = static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
    if (!IsFilterSize(size)) return Format("Error:  filter size %dx%d not supported.", size, size);
    std::vector<std::string> weights(static_cast<size_t>(size * size));
    for (size_t i = 0; i < weights.size(); ++i)
        if (!ReadLine(in, weights[i]))
            // Refused rather than filled up: a half-read kernel is not the user's filter.
            return Format("Error:  %s ends after %d of its %d filter weights.", path.c_str(), static_cast<int>(i),
                          size * size);
    contents.size = size;
    contents.weights = std::move(weights);
    return {};
}

std::string WriteFilterFile(const std::string& path, const FilterFileContents& contents)
{
    // Written beside the target and renamed over it when complete, so that a
    // failed save leaves the previous file as it was; a device is written in place.
    CFile file;
    FileError error;
    if (!file.Open(path, CFile::Mode::Write, error))
        return Format("Error:  %s could not be opened for output", path.c_str());
    try {
        auto writeLine = [&file](const std::string& text) {
            const std::string line = text + "\r\n";
            file.Write(line.data(), line.size());
        };
        writeLine(std::to_string(contents.size));
        for (const std::string& weight : contents.weights) writeLine(weight);
        file.Close();
    } catch (const FileError&) {
        return Format("Error:  %s could not be written completely.", path.c_str());
    }
    return {};
}

std::vector<std::string> SaveFilterFile(const std::string& path, const FilterFileContents& contents)
{
    int bad = 0;
    std::string message;
    if (ValidateWeights(contents.weights, bad, message) != 0)
        return {message, kWeightsMustBeValid};
    message = WriteFilterFile(path, contents);
    if (!message.empty()) return {message};
    return {};
}

std::string LoadKernel(const std::string& path, int& size, std::vector<float>& weights)
{
    FilterFileContents contents;
    std::string message = ReadFilterFile(path, contents);
    if (!message.empty()) return message;
    int bad = 0;
    if (ValidateWeights(contents.weights, bad, message) != 0)
        return Format("%s, weight %d: %s", path.c_str(), bad + 1, message.c_str());
    size = contents.size;
    weights.clear();
    for (const std::string& text : contents.weights) weights.push_back(ParseWeight(text));
    return {};
}
