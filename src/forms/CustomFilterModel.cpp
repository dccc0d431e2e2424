// Custom Filter dialog: weight checks, the kernel and the filter file.
#include "forms/CustomFilterModel.h"

#include "processing/WeightEntry.h"
#include "platform/UserInterface.h"

std::optional<FieldFailure> CustomFilterModel::Read(OperationParams&) const
{
    int bad = 0;
    std::string message;
    if (ValidateWeights(EnabledWeights(size, grid), bad, message) == 0) return std::nullopt;
    // The bad index counts enabled boxes only; find that box in the grid.
    for (int box = 0; box < 81; ++box)
        if (BoxEnabled(box) && bad-- == 0) return FieldFailure{kFirstWeight + box, message};
    return FieldFailure{kFirstWeight, message};
}

std::vector<float> CustomFilterModel::Weights() const
{
    std::vector<float> weights;
    for (const std::string& text : EnabledWeights(size, grid)) weights.push_back(ParseWeight(text));
    return weights;
}

int CustomFilterModel::ApplyTo(CImage& image) const { return image.CustomFilter(size, Weights()); }

std::optional<FieldFailure> CustomFilterModel::CheckBeforeSave() const
{
    std::optional<FieldFailure> failure = Validate();
    if (failure) {
        platform::error(failure->message);
        platform::error(kWeightsMustBeValid);
    }
    return failure;
}

FilterFileContents CustomFilterModel::Contents() const { return {size, EnabledWeights(size, grid)}; }

std::string CustomFilterModel::SaveTo(const std::string& path)
{
    std::string message = WriteFilterFile(path, Contents());
    if (message.empty()) {
        kernelFile_ = path;
        kernelContents_ = Contents();
    }
    return message;
}

std::string CustomFilterModel::ReadFrom(const std::string& path)
{
    FilterFileContents contents;
    std::string message = ReadFilterFile(path, contents);
    if (!message.empty()) return message;
    size = contents.size;
    grid = GridFromWeights(size, contents.weights);
    kernelFile_ = path;
    kernelContents_ = Contents();
    return {};
}

std::vector<OperationStep> CustomFilterModel::Steps() const
{
    const FilterFileContents now = Contents();
    if (kernelFile_.empty() || now.size != kernelContents_.size || now.weights != kernelContents_.weights) return {};
    std::vector<OperationStep> steps = OperationDialog::Steps();
    for (OperationStep& step : steps) step.params.kernelFile = kernelFile_;
    return steps;
}
