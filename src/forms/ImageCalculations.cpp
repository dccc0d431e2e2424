// Image Calculations: candidates, lists and the run.
#include "forms/ImageCalculations.h"

#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"
#include "series/SeriesPaths.h"

std::vector<int> CalculationCandidates(const std::vector<OpenImage>& open, const CImage& reference)
{
    std::vector<int> found;
    for (size_t i = 0; i < open.size(); ++i) {
        const CImage& image = *open[i].image;
        if (image.height != reference.height || image.width != reference.width || image.format != reference.format)
            continue;
        if (static_cast<int>(found.size()) == kCalculationLimit) {
            platform::notice(platform::Format("The number of open images found exceeds the limit of %d.\n"
                                              "The first %d open images will be used.\n",
                                              kCalculationLimit, kCalculationLimit));
            break;
        }
        found.push_back(static_cast<int>(i));
    }
    return found;
}

const std::vector<std::string>& ImageCalculationsDialogModel::OperationEntries()
{
    static const std::vector<std::string> entries = [] {
        std::vector<std::string> names;
        for (const CalcOperation& op : CalcOperationTable()) names.emplace_back(op.name);
        return names;
    }();
    return entries;
}

const std::vector<std::string>& ImageCalculationsDialogModel::ResultEntries()
{
    static const std::vector<std::string> entries = {"New Image"};
    return entries;
}

CalculationOutcome PerformImageCalculation(const std::vector<OpenImage>& open, const std::vector<int>& candidates,
                            const ImageCalculationsDialogModel& choice, CImage& result)
{
    const auto& names = ImageCalculationsDialogModel::OperationEntries();
    const CalcOperation* op = choice.operation >= 0 && choice.operation < static_cast<int>(names.size())
                                  ? FindCalcOperation(names[choice.operation])
                                  : nullptr;
    auto valid = [&](int index) { return index >= 0 && index < static_cast<int>(candidates.size()); };
    if (op == nullptr || !valid(choice.firstOperand) || !valid(choice.secondOperand)) {
        platform::error("Aborting CNUVAKApp::PerformImageCalculations.\nUnrecognized operation requested.\n");
        return CalculationOutcome::Refused;
    }
    platform::WaitCursor wait;
    result = *open[candidates[choice.firstOperand]].image;
    const CImage second = *open[candidates[choice.secondOperand]].image;
    if (op->run(result, second) == 0) return CalculationOutcome::Done;
    platform::error(result.errorMessage);
    return CalculationOutcome::Failed;
}

std::vector<std::string> OperandTitles(const std::vector<OpenImage>& open, const std::vector<int>& candidates)
{
    std::vector<std::string> titles;
    for (int index : candidates) {
        const OpenImage& image = open[static_cast<size_t>(index)];
        int same = 0, earlierUnsaved = 0;
        for (int other : candidates) {
            const OpenImage& o = open[static_cast<size_t>(other)];
            if (o.title != image.title) continue;
            ++same;
            if (other < index && o.path.empty()) ++earlierUnsaved;
        }
        if (same < 2) titles.push_back(image.title);
        else if (!image.path.empty()) titles.push_back(image.title + " (" + FolderOf(image.path) + ")");
        else titles.push_back(earlierUnsaved == 0 ? image.title : image.title + ":" + std::to_string(earlierUnsaved + 1));
    }
    return titles;
}
