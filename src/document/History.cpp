// The history's entries as lines, replayable steps and what a recipe leaves
// out; Undo and Redo move the boundary between applied and undone entries.
#include "document/History.h"

void CHistory::Add(HistoryEntry entry)
{
    ForgetUndone();
    entries_.push_back(std::move(entry));
    applied_ = entries_.size();
}

void CHistory::UndoSince(unsigned long snapshot)
{
    while (applied_ > 0 && entries_[applied_ - 1].snapshot >= snapshot) --applied_;
}

void CHistory::RedoUpTo(unsigned long snapshot)
{
    while (applied_ < entries_.size() && entries_[applied_].snapshot <= snapshot) ++applied_;
}

std::vector<std::string> EntryLines(const HistoryEntry& entry)
{
    std::vector<std::string> lines;
    if (!entry.unreplayable.empty()) lines.push_back(entry.unreplayable + " (not replayable on one image)");
    for (const OperationStep& step : entry.steps) lines.push_back(StepCommandLine(step));
    return lines;
}

std::vector<std::string> CHistory::Lines() const
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < applied_; ++i) {
        const std::vector<std::string> more = EntryLines(entries_[i]);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
}

std::vector<OperationStep> CHistory::Steps() const
{
    std::vector<OperationStep> steps;
    for (std::size_t i = 0; i < applied_; ++i)
        steps.insert(steps.end(), entries_[i].steps.begin(), entries_[i].steps.end());
    return steps;
}

std::vector<std::string> CHistory::Unreplayable() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < applied_; ++i)
        if (!entries_[i].unreplayable.empty()) names.push_back(entries_[i].unreplayable);
    return names;
}

std::string LeftOutText(const std::vector<std::string>& names)
{
    if (names.empty()) return std::string();
    std::string list;
    for (const std::string& name : names) list += "\n\t" + name;
    return "These steps cannot be replayed on one image and are left out of the recipe:" + list;
}
