// Save Recipe and Apply Recipe, with the texts they show.
#include "app/RecipeCommands.h"

#include "document/NUVAKDoc.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/Recipe.h"
#include "series/SeriesPaths.h"

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

namespace {

// An image naming its file is written there, as the CLI writes it.
void WriteOrHand(std::vector<ExtraImage>& made, const ExtraHandler& extras)
{
    for (ExtraImage& extra : made) {
        if (extra.path.empty()) {
            extras(extra.image, extra.suffix);
            continue;
        }
        std::string message;
        bool causeValid = false;
        int cause = 0;
        if (extra.image.SerializeFile(true, extra.path, false, message, causeValid, cause) != 0)
            platform::error(message);
    }
}

}  // namespace

bool ApplyRecipe(CNUVAKDoc& document, const std::string& path, const ExtraHandler& extras,
                 const std::function<void(const std::string& results)>& resultsWritten)
{
    std::vector<OperationStep> steps;
    try {
        steps = ReadRecipe(path);
    } catch (const RecipeError& refusal) {
        platform::error(refusal.message);
        return false;
    }
    PlaceStepFiles(steps, FolderPrefix(document.GetPathName()));
    const auto done = [&resultsWritten](const OperationStep& step) {
        if (resultsWritten && !step.params.resultsFile.empty()) resultsWritten(step.params.resultsFile);
    };
    return document.ApplySteps(
        steps,
        [&extras](std::vector<ExtraImage>& made) {
            try {
                WriteOrHand(made, extras);
            } catch (const platform::UserAbort&) {
                // Shown already; the steps' own images stay.
            }
        },
        done);
}

