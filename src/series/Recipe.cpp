// Recipe text: splitting lines into words, reading and writing the file.
#include "series/Recipe.h"

#include <fstream>
#include <sstream>

#include "platform/Format.h"
#include "processing/FilterFile.h"
#include "series/SeriesPaths.h"
#include "series/StepOptions.h"

using platform::Format;

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (++i == line.size()) throw OptionError{"a backslash ends the line"};
            word += line[i];
        } else if (c == '\'') {
            const size_t close = line.find('\'', i + 1);
            if (close == std::string::npos) throw OptionError{"a single quote is not closed"};
            word += line.substr(i + 1, close - i - 1);
            i = close;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) ++i;
                word += line[i];
            }
            if (i == line.size()) throw OptionError{"a double quote is not closed"};
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

namespace {

bool ValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += extra + 1;
    }
    return true;
}

OperationStep ParseStep(const std::string& line)
{
    std::vector<StepOption> options;
    std::vector<std::string> others;
    SplitOptions(SplitWords(line), options, others);
    if (!others.empty())
        throw OptionError{Format("unexpected word \"%s\": a recipe step names no files", others.front().c_str())};
    OperationStep step = TakeStep(options, "a step");
    // A kernel that cannot be read would stop a series at its first image.
    if (!step.params.kernelFile.empty()) {
        int size = 3;
        std::vector<float> weights;
        const std::string problem = LoadKernel(step.params.kernelFile, size, weights);
        if (!problem.empty()) throw OptionError{problem};
    }
    return step;
}

}  // namespace

std::vector<OperationStep> ParseRecipe(const std::string& text, const std::string& name)
{
    std::vector<OperationStep> steps;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto refuse = [&](const std::string& reason) {
        return RecipeError{Format("%s:%d: %s", name.c_str(), number, reason.c_str())};
    };
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Editors on some systems start UTF-8 text with a byte-order mark.
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (!ValidUtf8(line)) throw refuse("the line is not UTF-8 text");
        if (number == 1) {
            if (line == kRecipeHeader) continue;
            if (line.rfind("nuvak recipe ", 0) == 0)
                throw refuse(Format("recipe version \"%s\" is not known; this program reads version 1",
                                    line.c_str() + 13));
            throw refuse(Format("not a recipe: the first line must be \"%s\"", kRecipeHeader));
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        try {
            steps.push_back(ParseStep(line));
            steps.back().origin = Format("%s:%d", name.c_str(), number);
        } catch (const OptionError& error) {
            throw refuse(error.reason);
        }
    }
    if (number == 0) {
        number = 1;
        throw refuse(Format("not a recipe: the first line must be \"%s\"", kRecipeHeader));
    }
    if (steps.empty()) throw refuse("the recipe has no steps");
    return steps;
}

std::vector<OperationStep> ReadRecipe(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RecipeError{Format("%s: the recipe cannot be read", path.c_str())};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseRecipe(text.str(), path);
}

void PlaceStepFiles(std::vector<OperationStep>& steps, const std::string& folderPrefix)
{
    for (OperationStep& step : steps)
        for (std::string* file : {&step.params.resultsFile, &step.params.overlayFile})
            if (!file->empty() && FolderPrefix(*file).empty()) *file = folderPrefix + *file;
}

std::string RecipeText(const std::vector<OperationStep>& steps)
{
    std::string text = std::string(kRecipeHeader) + "\n";
    for (const OperationStep& step : steps) text += StepCommandLine(step) + "\n";
    return text;
}

bool WriteRecipe(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}
