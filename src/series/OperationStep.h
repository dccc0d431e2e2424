// One step of work on an image: an operation of the table with its
// parameters, the AOI it runs on and the answer to its questions.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "series/Operations.h"

using AoiBox = std::array<int, 4>;  // left, top, right, bottom, inclusive

struct OperationStep {
    const Operation* op = nullptr;
    OperationParams params;
    std::optional<AoiBox> aoi;    // none: the whole image
    std::optional<bool> answer;   // none: questions go to the user
};

// The image's AOI as a step's AOI: none when it is the whole image, so that
// a recipe fits images of any size.
std::optional<AoiBox> StepAoi(const CImage& image);

// Sets the AOI; with notify, a corner outside the image is reported as it
// is clamped.
void SetAoi(CImage& image, const std::optional<AoiBox>& aoi, bool notify);

// Sets the step's AOI and runs it with its answer; 0 or -1 with the image's
// errorMessage.
int RunStep(CImage& image, const OperationStep& step, OperationOutputs& outputs, bool notify);

// The step as `apply` options, each parameter of the operation spelt out,
// for example: --op "Low Pass Filter" --size 5 --aoi 10,10,300,200 --answer yes
std::string StepCommandLine(const OperationStep& step);

// A word of a command line, quoted when a shell or the recipe reader would
// otherwise split or change it.
std::string QuoteWord(const std::string& word);
