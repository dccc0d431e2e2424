// Morphological dialog: titles, operation names and the repetitions rule.
#include "forms/MorphologyDialogModel.h"

#include "series/SeriesPages.h"

namespace {

struct MorphRow {
    const char* title;
    const char* operation;
};

constexpr MorphRow kMorphs[] = {
    {"Erosion", "Erosion"},
    {"Dilation", "Dilation"},
    {"Opening", "Opening"},
    {"Closing", "Closing"},
    {"Outline", "Outline"},
    {"Gradient", "Gradient"},
    {"Peak Detector", "Peak Detection"},
    {"Valley Detector", "Valley Detection"},
};

}  // namespace

void MorphologyDialogModel::SetOperation(int operation)
{
    operation_ = operation >= kErosion && operation <= kValleyDetector ? operation : kErosion;
}

const std::vector<std::string>& MorphologyDialogModel::DirectionEntries()
{
    static const std::vector<std::string> entries = {"Omnidirectional", "Horizontal", "Vertical", "Diagonal"};
    return entries;
}

bool MorphologyDialogModel::RepetitionsShown() const { return UsesRepetitions(OperationName()); }

std::string MorphologyDialogModel::Title() const { return kMorphs[operation_].title; }

std::string MorphologyDialogModel::OperationName() const { return kMorphs[operation_].operation; }

std::optional<FieldFailure> MorphologyDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.morphSize = p.filterSize = SizeFromIndex(size);
    p.morphDirection = direction;
    ReadIntField(kRepetitions, repetitionsText, 1, 5, p.repetitions, failure);
    return failure;
}
