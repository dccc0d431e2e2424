// Image Calculations without windows: which open images can be combined
// with the active one, the dialog's lists, and the calculation itself.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

constexpr int kCalculationLimit = 25;

struct OpenImage {
    std::string title;
    const CImage* image = nullptr;
    std::string path;  // empty for an image never saved
};

// Indices, in document order, of the open images with the reference's
// width, height and format (the reference among them in its own place), at
// most 25; shows "The number of open images found exceeds the limit of
// %d.\nThe first %d open images will be used.\n" when a 26th exists.
std::vector<int> CalculationCandidates(const std::vector<OpenImage>& open, const CImage& reference);

// The list entries of the candidates: their titles, where two share one told
// apart by the file's folder, "TITLE (FOLDER)", or for an image never saved
// by its place among them, "TITLE:2", "TITLE:3".
std::vector<std::string> OperandTitles(const std::vector<OpenImage>& open, const std::vector<int>& candidates);

// The Image Calculations dialog's lists and selections.
struct ImageCalculationsDialogModel {
    enum Control { kFirstOperand = 1016, kOperation = 1007, kSecondOperand = 1020, kResult = 1103 };

    static const std::vector<std::string>& OperationEntries();  // "Add" .. "Divide"
    static const std::vector<std::string>& ResultEntries();     // "New Image"

    std::vector<std::string> operandTitles;  // of the candidates, in their order
    int operation = 0;                       // preselected by the command, 0 Add .. 4 Divide
    int firstOperand = 0;
    int secondOperand = 0;
    int result = 0;
};

enum class CalculationOutcome {
    Done,     // result goes into a new document
    Failed,   // the failure was shown; result still goes into a new document
    Refused   // an unknown operation or operand was shown; no new document
};

// Runs the chosen operation on a copy of the first operand with the second
// (chosen by their positions in the lists, so images sharing a title stay
// apart) into result.
CalculationOutcome PerformImageCalculation(const std::vector<OpenImage>& open, const std::vector<int>& candidates,
                            const ImageCalculationsDialogModel& choice, CImage& result);
