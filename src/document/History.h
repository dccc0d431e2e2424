// CHistory: the steps applied to a document's image since it was opened or
// created, as the operation table's rows with their parameters, AOIs and
// answers, so that they can be saved as a recipe and replayed.
#pragma once

#include <string>
#include <vector>

#include "series/OperationStep.h"

// What one command did: its steps (the Histogram dialog's OK may carry a
// Stretch and an Equalize), or, for a command with no single-image form such
// as Paste, its name alone.
struct HistoryEntry {
    std::vector<OperationStep> steps;
    std::string unreplayable;
    // The steps carry the AOIs they ran on (the frequency wizard's own);
    // otherwise they ran on the document's AOI.
    bool ownAoi = false;
    // The document's undo snapshot the entry came after: Undo of that
    // snapshot removes it.
    unsigned long snapshot = 0;
};

class CHistory {
public:
    void Add(HistoryEntry entry) { entries_.push_back(std::move(entry)); }
    // Removes the newest entries made after that snapshot.
    void RemoveSince(unsigned long snapshot);
    void Clear() { entries_.clear(); }
    bool IsEmpty() const { return entries_.empty(); }
    const std::vector<HistoryEntry>& Entries() const { return entries_; }

    // One line per step: its command line, or the name of a command with no
    // single-image form and that it is left out of recipes.
    std::vector<std::string> Lines() const;
    // The replayable steps in order.
    std::vector<OperationStep> Steps() const;
    // The names of the commands a recipe leaves out, in order.
    std::vector<std::string> Unreplayable() const;

private:
    std::vector<HistoryEntry> entries_;
};

// A text naming what a recipe leaves out, or "" when it leaves out nothing.
std::string LeftOutText(const std::vector<std::string>& names);
