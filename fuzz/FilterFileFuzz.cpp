// The filter file reader and the weight rules fed raw bytes, taken both as a
// filter file and as one typed weight. A file that reads yields a size of 3,
// 5, 7 or 9 with size x size weights, writes back byte for byte in the file
// format and reads back the same; a refused file changes nothing it was
// given; every weight the rules accept converts to a finite number.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "FuzzSupport.h"
#include "processing/FilterFile.h"
#include "processing/WeightEntry.h"
#include "platform/Format.h"

namespace {

using platform::Format;

const FilterFileContents kUntouched{7, {"untouched"}};

bool Same(const FilterFileContents& a, const FilterFileContents& b)
{
    return a.size == b.size && a.weights == b.weights;
}

bool IsFilterSize(int size) { return size == 3 || size == 5 || size == 7 || size == 9; }

bool IsWholeNumber(const std::string& text)
{
    return text.find_first_of("./") == std::string::npos && text.find_first_of("0123456789") != std::string::npos;
}

// An accepted weight converts to a finite number; a whole number converts to
// the float nearest to the number typed: exactly while the number is held
// exactly in a long double, else within a float's rounding.
void CheckOneWeight(const std::string& text)
{
    if (!CheckWeight(text).empty()) return;
    const float value = ParseWeight(text);
    if (!std::isfinite(value)) FuzzFail(Format("the accepted weight \"%s\" converts to %g", text.c_str(), value));
    if (!IsWholeNumber(text)) return;
    const long double typed = std::strtold(text.c_str(), nullptr);
    const bool exact = std::fabs(typed) <= 0x1p63L;
    if (exact ? value != static_cast<float>(typed) : std::fabs(value - typed) > std::fabs(typed) * 0x1p-24L)
        FuzzFail(Format("the weight \"%s\" converts to %.9g, not %.9Lg", text.c_str(), value, typed));
}

// ValidateWeights stops at the first text that CheckWeight refuses, with its
// message; LoadKernel then refuses the file, else it gives the converted weights.
void CheckValidation(const std::string& path, const FilterFileContents& contents)
{
    int bad = -1;
    std::string message;
    const int status = ValidateWeights(contents.weights, bad, message);
    int firstBad = -1;
    for (size_t i = 0; i < contents.weights.size() && firstBad < 0; ++i)
        if (!CheckWeight(contents.weights[i]).empty()) firstBad = static_cast<int>(i);
    if ((status == 0) != (firstBad < 0) || (status != 0 && bad != firstBad))
        FuzzFail(Format("ValidateWeights gives %d at %d; the first refused weight is %d", status, bad, firstBad));
    if (status != 0 && message != CheckWeight(contents.weights[static_cast<size_t>(bad)]))
        FuzzFail("ValidateWeights gives another message than CheckWeight: " + message);

    int size = 0;
    std::vector<float> weights{-1.0f};
    const std::string problem = LoadKernel(path, size, weights);
    if (status != 0) {
        if (problem.empty()) FuzzFail("a kernel with an invalid weight was loaded");
        if (size != 0 || weights != std::vector<float>{-1.0f}) FuzzFail("a refused kernel changed its outputs");
        return;
    }
    if (!problem.empty()) FuzzFail("a kernel with valid weights was refused: " + problem);
    if (size != contents.size || weights.size() != static_cast<size_t>(size * size))
        FuzzFail(Format("a kernel of size %d came with %zu weights", size, weights.size()));
    for (size_t i = 0; i < weights.size(); ++i)
        if (!std::isfinite(weights[i]) || weights[i] != ParseWeight(contents.weights[i]))
            FuzzFail(Format("kernel weight %zu is %g for \"%s\"", i, weights[i], contents.weights[i].c_str()));
}

// Writing gives exactly the file format, and reading that gives the same.
void CheckRoundTrip(const FilterFileContents& contents)
{
    static const std::string copy = ScratchFolder() + "/copy.ftr";
    const std::string message = WriteFilterFile(copy, contents);
    if (!message.empty()) FuzzFail("writing: " + message);
    std::string expected = std::to_string(contents.size) + "\r\n";
    for (const std::string& weight : contents.weights) expected += weight + "\r\n";
    if (FileBytes(copy) != expected) FuzzFail("the written file is not the size and the weights, one per line");
    for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder()))
        if (entry.path().filename().string().starts_with(".")) FuzzFail("a temporary was left behind");
    FilterFileContents again = kUntouched;
    const std::string reread = ReadFilterFile(copy, again);
    if (!reread.empty()) FuzzFail("the written file was refused: " + reread);
    if (!Same(again, contents)) FuzzFail("the written file reads back differently");
}

// Saving refuses invalid weights before it touches the file.
void CheckSave(const FilterFileContents& contents)
{
    static const std::string saved = ScratchFolder() + "/saved.ftr";
    static const std::string earlier = "earlier\r\n";
    WriteFileBytes(saved, earlier);
    int bad = 0;
    std::string message;
    const bool valid = ValidateWeights(contents.weights, bad, message) == 0;
    const std::vector<std::string> messages = SaveFilterFile(saved, contents);
    if (valid != messages.empty()) FuzzFail(Format("saving valid=%d showed %zu messages", valid, messages.size()));
    if (!valid && (messages.size() != 2 || messages[0] != message || FileBytes(saved) != earlier))
        FuzzFail("a refused save showed other messages or changed the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size)
{
    static const std::string input = ScratchFolder() + "/input.ftr";
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    WriteFileBytes(input, text);

    // The whole input as one typed weight: longer than any line of a file.
    CheckOneWeight(text);

    FilterFileContents contents = kUntouched;
    const std::string message = ReadFilterFile(input, contents);
    if (!message.empty()) {
        if (!Same(contents, kUntouched)) FuzzFail("a refused file changed the contents: " + message);
        int kernelSize = 0;
        std::vector<float> weights{-1.0f};
        if (LoadKernel(input, kernelSize, weights) != message || kernelSize != 0 || weights != std::vector<float>{-1.0f})
            FuzzFail("loading a refused file as a kernel went otherwise");
        return 0;
    }
    if (!IsFilterSize(contents.size) || contents.weights.size() != static_cast<size_t>(contents.size * contents.size))
        FuzzFail(Format("read a size of %d with %zu weights", contents.size, contents.weights.size()));
    for (const std::string& weight : contents.weights) {
        if (weight.size() > 79 || weight.find('\n') != std::string::npos)
            FuzzFail("a weight longer than a line of 79 characters: " + weight);
        CheckOneWeight(weight);
    }
    CheckValidation(input, contents);
    CheckRoundTrip(contents);
    CheckSave(contents);
    return 0;
}
