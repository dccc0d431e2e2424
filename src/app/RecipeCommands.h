// File > Save Recipe and File > Apply Recipe on the active document.
#pragma once

#include <string>

class CNUVAKDoc;

// Writes the document's replayable steps to path, after saying which steps
// are left out; false after the message when nothing was written.
bool SaveRecipe(const CNUVAKDoc& document, const std::string& path);
// Reads the recipe and runs its steps on the document; a refused recipe is
// shown and nothing runs. False when it was refused or a step failed.
bool ApplyRecipe(CNUVAKDoc& document, const std::string& path);
