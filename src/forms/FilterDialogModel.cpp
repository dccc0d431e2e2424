// Filter dialog: the seven types with their titles and operations.
#include "forms/FilterDialogModel.h"

#include "platform/UserInterface.h"

namespace {

struct FilterRow {
    const char* title;
    const char* operation;
};

constexpr FilterRow kFilters[] = {
    {"High Pass Spatial Filter", "High Pass Filter"},
    {"Laplacian Edge Enhancement", "Laplace"},
    {"Low Pass Spatial Filter", "Low Pass Filter"},
    {"Median Filter", "Median Filter"},
    {"Prewitt Edge Enhancement", "Prewitt"},
    {"Sobel Edge Enhancement", "Sobel"},
    {"Unsharp Mask", "Unsharp Mask"},
};

}  // namespace

void FilterDialogModel::SetFilterType(int type)
{
    if (type < kHighPass || type > kUnsharpMask) {
        platform::error("Unrecognized filter type.");
        return;
    }
    type_ = type;
}

const std::vector<std::string>& FilterDialogModel::DirectionEntries()
{
    static const std::vector<std::string> entries = {"North", "Northeast", "East", "Southeast",
                                                     "South", "Southwest", "West", "Northwest"};
    return entries;
}

std::string FilterDialogModel::Title() const { return kFilters[type_].title; }

std::string FilterDialogModel::OperationName() const { return kFilters[type_].operation; }

std::optional<FieldFailure> FilterDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.filterSize = p.morphSize = SizeFromIndex(size);
    p.prewittDirection = direction;
    ReadRealField(kBoost, boost.Text(), p.boost, failure);
    return failure;
}
