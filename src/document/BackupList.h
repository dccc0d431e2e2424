// CBackupList: the per-document undo history of whole-image snapshots, one
// level deep.
#pragma once

#include "image/Image.h"

struct CBackupNode {
    CImage image;
    CBackupNode* next = nullptr;
};

class CBackupList {
public:
    CBackupList() = default;
    ~CBackupList() { RemoveAll(); }
    CBackupList(const CBackupList&) = delete;
    CBackupList& operator=(const CBackupList&) = delete;

    bool IsEmpty() const { return head == nullptr; }
    bool IsFull() const { return head != nullptr && head == tail; }

    // A node holding a copy of image, or null after telling the user.
    CBackupNode* GetNewNode(const CImage& image);
    void AddToBack(const CImage& image);
    int RemoveFromFront();
    int RestoreFromBack(CImage& image);
    void RemoveAll();
    // Counts snapshots taken, so that a document knows whether the newest
    // one is from the step it recorded.
    unsigned long Snapshots() const { return snapshots_; }

private:
    CBackupNode* head = nullptr;  // oldest
    CBackupNode* tail = nullptr;  // newest
    unsigned long snapshots_ = 0;
};
