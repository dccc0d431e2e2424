// Recipe files: "nuvak recipe 1" and then one step per line in `apply`
// syntax without files; blank lines and lines starting with '#' are ignored.
#pragma once

#include <string>
#include <vector>

#include "series/OperationStep.h"

inline constexpr const char* kRecipeHeader = "nuvak recipe 1";
inline constexpr const char* kRecipeExtension = ".nrcp";

// A refused recipe: "FILE:LINE: reason", or "FILE: reason" when it cannot be read.
struct RecipeError {
    std::string message;
};

// A line's words as a shell splits them: blanks separate, double quotes
// (with \" and \\) and single quotes group, a backslash escapes one character.
std::vector<std::string> SplitWords(const std::string& line);

// Every step, or RecipeError naming the first bad line; name is the file
// name the message starts with.
std::vector<OperationStep> ParseRecipe(const std::string& text, const std::string& name);
std::vector<OperationStep> ReadRecipe(const std::string& path);

// A recipe names its results and overlay files without folders, so that it
// travels: a replay writes a name without a folder after folderPrefix (the
// folder of OUT or of the image, with its separator; empty for the current
// folder).
void PlaceStepFiles(std::vector<OperationStep>& steps, const std::string& folderPrefix);

// The file's text for these steps.
std::string RecipeText(const std::vector<OperationStep>& steps);
// Writes the text; false when the file could not be written completely.
bool WriteRecipe(const std::string& path, const std::string& text);
