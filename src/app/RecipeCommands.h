// File > Save Recipe and File > Apply Recipe on the active document.
#pragma once

#include <functional>
#include <string>

#include "image/Image.h"

class CNUVAKDoc;

// Writes the document's replayable steps to path, after saying which steps
// are left out; false after the message when nothing was written.
bool SaveRecipe(const CNUVAKDoc& document, const std::string& path);
// Reads the recipe and runs its steps on the document; a refused recipe is
// shown and nothing runs. An extra image that names its file is written
// there, the others go to extras (Extract RGB's planes open as documents).
// False when it was refused or a step failed.
// Each results file a Find Objects step wrote is handed to resultsWritten.
using ExtraHandler = std::function<void(CImage& image, const std::string& suffix)>;
bool ApplyRecipe(CNUVAKDoc& document, const std::string& path, const ExtraHandler& extras,
                 const std::function<void(const std::string& results)>& resultsWritten = {});
