// The history's entries as lines, replayable steps and what a recipe leaves out.
#include "document/History.h"

void CHistory::RemoveSince(unsigned long snapshot)
{
    while (!entries_.empty() && entries_.back().snapshot == snapshot) entries_.pop_back();
}

std::vector<std::string> CHistory::Lines() const
{
    std::vector<std::string> lines;
    for (const HistoryEntry& entry : entries_) {
        if (!entry.unreplayable.empty()) lines.push_back(entry.unreplayable + " (not replayable on one image)");
        for (const OperationStep& step : entry.steps) lines.push_back(StepCommandLine(step));
    }
    return lines;
}

std::vector<OperationStep> CHistory::Steps() const
{
    std::vector<OperationStep> steps;
    for (const HistoryEntry& entry : entries_) steps.insert(steps.end(), entry.steps.begin(), entry.steps.end());
    return steps;
}

std::vector<std::string> CHistory::Unreplayable() const
{
    std::vector<std::string> names;
    for (const HistoryEntry& entry : entries_)
        if (!entry.unreplayable.empty()) names.push_back(entry.unreplayable);
    return names;
}

std::string LeftOutText(const std::vector<std::string>& names)
{
    if (names.empty()) return std::string();
    std::string list;
    for (const std::string& name : names) list += "\n\t" + name;
    return "These steps cannot be replayed on one image and are left out of the recipe:" + list;
}
