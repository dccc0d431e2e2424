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

private:
    CBackupNode* head = nullptr;  // oldest
    CBackupNode* tail = nullptr;  // newest
};
