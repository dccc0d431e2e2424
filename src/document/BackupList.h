// CBackupList: the per-document undo history of whole-image snapshots, as
// many steps back as the memory budget holds, and the steps undone that Redo
// goes forward to until a new change is made.
#pragma once

#include <cstdint>

#include "image/Image.h"

struct CBackupNode {
    CImage image;
    CBackupNode* next = nullptr;
    // The change the node steps over: a document's history entries carry it.
    unsigned long serial = 0;
    std::uint64_t bytes = 0;
};

class CBackupList {
public:
    CBackupList() = default;
    ~CBackupList() { RemoveAll(); }
    CBackupList(const CBackupList&) = delete;
    CBackupList& operator=(const CBackupList&) = delete;

    // No step to undo.
    bool IsEmpty() const { return head == nullptr; }
    // The steps held take the whole budget: the next snapshot drops the oldest.
    bool IsFull() const { return !IsEmpty() && bytes_ >= Budget(); }
    bool CanRedo() const { return redo_ != nullptr; }

    // A node holding a copy of image, or null after telling the user.
    CBackupNode* GetNewNode(const CImage& image);
    // A new change: a snapshot of the image before it. The steps undone are
    // forgotten and the oldest steps dropped while over the budget.
    void AddToBack(const CImage& image);
    // The same with a node made earlier by GetNewNode (a dialog's command
    // takes its snapshot before the dialog changes anything, and keeps it
    // only when the dialog ends with OK); null only forgets the steps undone.
    void AddToBack(CBackupNode* node);
    // Undo: the newest snapshot into image, whose own state (found objects
    // too) is kept for Redo; -1 with the image untouched when there is none.
    int RestoreFromBack(CImage& image);
    // Redo: the newest step undone back into image, whose state goes back to
    // the undo steps; -1 with the image untouched when there is none.
    int RestoreFromRedo(CImage& image);
    int RemoveFromFront();
    void ForgetRedo();
    void RemoveAll();

    // The change the next Undo steps over, and the Redo's. With no step to
    // undo, the newest change that cannot be undone (0 at first).
    unsigned long UndoSerial() const { return tail ? tail->serial : dropped_; }
    unsigned long RedoSerial() const { return redo_ ? redo_->serial : 0; }
    // The newest change that cannot be undone: its snapshot was dropped for
    // memory, or RemoveAll forgot it.
    unsigned long DroppedSerial() const { return dropped_; }
    // A snapshot was dropped for memory since the list was last emptied.
    bool HasDropped() const { return dropped_ != cleared_; }
    std::uint64_t Bytes() const { return bytes_; }

    // The memory the snapshots of one document may take; by default a
    // quarter of the machine's memory. Changing it trims on the next change.
    static std::uint64_t Budget();
    static void SetBudget(std::uint64_t bytes);
    static std::uint64_t DefaultBudget();

private:
    void Trim();
    CBackupNode* DetachBack();

    CBackupNode* head = nullptr;   // oldest
    CBackupNode* tail = nullptr;   // newest
    CBackupNode* redo_ = nullptr;  // the nearest step undone; next leads further on
    unsigned long serial_ = 0;
    unsigned long dropped_ = 0;
    unsigned long cleared_ = 0;
    std::uint64_t bytes_ = 0;  // undo and redo steps together
};

// What a snapshot of the image takes: its pixels as held and its frequency buffer.
std::uint64_t SnapshotBytes(const CImage& image);
