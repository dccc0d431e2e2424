// Filter files (.ftr): a size line, then size x size weight lines kept as
// typed, every line ended by CR LF.
#pragma once

#include <string>
#include <vector>

struct FilterFileContents {
    int size = 3;                      // 3, 5, 7 or 9
    std::vector<std::string> weights;  // size x size texts, row-major from the top left
};

// "" when read, otherwise the message to show; contents is untouched then.
// Bare LF line ends read the same as CR LF.
std::string ReadFilterFile(const std::string& path, FilterFileContents& contents);

// "" when written, otherwise the message to show; a failed write leaves an
// earlier file at path as it was.
std::string WriteFilterFile(const std::string& path, const FilterFileContents& contents);

// Shown after a weight's own refusal when saving.
extern const char* const kWeightsMustBeValid;

// Checks the weights, then writes the file: the messages to show in order,
// none when the file was written.
std::vector<std::string> SaveFilterFile(const std::string& path, const FilterFileContents& contents);

// Reads, checks and converts the kernel of a filter file; "" or the reason.
std::string LoadKernel(const std::string& path, int& size, std::vector<float>& weights);
