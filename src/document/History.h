// CHistory: the steps applied to a document's image since it was opened or
// created, as the operation table's rows with their parameters, AOIs and
// answers, so that they can be saved as a recipe and replayed; the steps
// undone stay after them until Redo brings them back or a new change comes.
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
    // The newest undo step when the entry was made (CBackupList's serial):
    // undoing that step undoes the entry, redoing it brings it back.
    unsigned long snapshot = 0;
};

class CHistory {
public:
    // A new change: the entries undone are forgotten.
    void Add(HistoryEntry entry);
    // Undo of that snapshot: the entries it covers become undone.
    void UndoSince(unsigned long snapshot);
    // Redo of that snapshot: its entries are applied again.
    void RedoUpTo(unsigned long snapshot);
    void ForgetUndone() { entries_.resize(applied_); }
    void Clear()
    {
        entries_.clear();
        applied_ = 0;
    }
    // Nothing is applied (entries undone may follow).
    bool IsEmpty() const { return applied_ == 0; }
    // Every entry, the applied ones first, then the undone ones.
    const std::vector<HistoryEntry>& Entries() const { return entries_; }
    std::size_t Applied() const { return applied_; }

    // One line per applied step: its command line, or the name of a command
    // with no single-image form and that it is left out of recipes.
    std::vector<std::string> Lines() const;
    // The applied replayable steps in order.
    std::vector<OperationStep> Steps() const;
    // The names of the applied commands a recipe leaves out, in order.
    std::vector<std::string> Unreplayable() const;

private:
    std::vector<HistoryEntry> entries_;
    std::size_t applied_ = 0;
};

// The lines of one entry, as Lines() gives them.
std::vector<std::string> EntryLines(const HistoryEntry& entry);

// A text naming what a recipe leaves out, or "" when it leaves out nothing.
std::string LeftOutText(const std::vector<std::string>& names);
