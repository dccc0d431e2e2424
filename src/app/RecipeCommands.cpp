// Save Recipe and Apply Recipe, with the texts they show.
#include "app/RecipeCommands.h"

#include "document/NUVAKDoc.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/Recipe.h"

bool SaveRecipe(const CNUVAKDoc& document, const std::string& path)
{
    const CHistory& history = document.History();
    const std::vector<OperationStep> steps = history.Steps();
    const std::string leftOut = LeftOutText(history.Unreplayable());
    if (steps.empty()) {
        platform::error(leftOut.empty() ? "No steps have been applied to this image; there is no recipe to save."
                                        : leftOut + "\n\nNo other steps are left; no recipe was saved.");
        return false;
    }
    if (!leftOut.empty()) platform::notice(leftOut);
    if (!WriteRecipe(path, RecipeText(steps))) {
        platform::error(platform::Format("The recipe could not be written to %s.", path.c_str()));
        return false;
    }
    return true;
}

bool ApplyRecipe(CNUVAKDoc& document, const std::string& path)
{
    std::vector<OperationStep> steps;
    try {
        steps = ReadRecipe(path);
    } catch (const RecipeError& refusal) {
        platform::error(refusal.message);
        return false;
    }
    return document.ApplySteps(steps);
}
