// One step of work on an image: an operation of the table with its
// parameters, the AOI it runs on and the answer to its questions.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/UserInterface.h"
#include "series/Operations.h"

using AoiBox = std::array<int, 4>;  // left, top, right, bottom, inclusive

struct OperationStep {
    const Operation* op = nullptr;
    OperationParams params;
    std::optional<AoiBox> aoi;    // none: the whole image
    std::optional<bool> answer;   // none: questions go to the user
    std::string origin = {};      // "FILE:LINE" of a recipe's step, which its failures name
};

// The image's AOI as a step's AOI: none when it is the whole image, so that
// a recipe fits images of any size.
std::optional<AoiBox> StepAoi(const CImage& image);

// Whether the AOI shares a pixel with the image, and the refusal when not.
bool AoiMeetsImage(const CImage& image, const AoiBox& aoi);
std::string AoiOutsideText(const CImage& image, const AoiBox& aoi);

// Sets the AOI; with notify, a corner outside the image is reported as it
// is clamped. An AOI wholly outside the image is refused: false, with the
// image's errorMessage set.
bool SetAoi(CImage& image, const std::optional<AoiBox>& aoi, bool notify);

// Sets the step's AOI and runs it with its answer; 0 or -1 with the image's
// errorMessage, which starts with the step's origin when it has one.
int RunStep(CImage& image, const OperationStep& step, OperationOutputs& outputs, bool notify);

// Records what the answers given while the step ran decided: a detected
// background that was confirmed (or turned round) becomes the level itself,
// which another image's detection might not propose; the first other answer
// answers the step's other questions.
void RecordAnswers(OperationStep& step, const std::vector<platform::GivenAnswer>& answers);

// The step as `apply` options, each parameter of the operation spelt out,
// for example: --op "Low Pass Filter" --size 5 --aoi 10,10,300,200 --answer yes
std::string StepCommandLine(const OperationStep& step);

// A word of a command line, quoted when a shell or the recipe reader would
// otherwise split or change it.
std::string QuoteWord(const std::string& word);
