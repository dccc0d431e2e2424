// The one-level undo history: snapshots in, the newest snapshot back out.
#include "document/BackupList.h"

#include <memory>
#include <new>

#include "platform/UserInterface.h"

CBackupNode* CBackupList::GetNewNode(const CImage& image)
{
    std::unique_ptr<CBackupNode> node;
    try {
        node = std::make_unique<CBackupNode>();
    } catch (const std::bad_alloc&) {
        platform::error("CBackupList::GetNewNode() failed to allocate memory.");
        return nullptr;
    }
    // An assignment that runs out of memory has told the user and raises the
    // silent abort; the node is released on the way out.
    node->image = image;
    return node.release();
}

void CBackupList::AddToBack(const CImage& image)
{
    CBackupNode* node = GetNewNode(image);
    ++snapshots_;
    if (IsEmpty()) {
        head = tail = node;
        return;
    }
    if (IsFull()) {
        if (RemoveFromFront() != 0) {
            delete node;
            platform::error("CBackupList::RemoveFromFront() failed.");
            return;
        }
        if (IsEmpty()) {
            head = tail = node;
            return;
        }
    }
    if (node == nullptr) return;
    tail->next = node;
    tail = node;
}

int CBackupList::RemoveFromFront()
{
    if (IsEmpty()) return -1;
    CBackupNode* old = head;
    if (head == tail)
        head = tail = nullptr;
    else
        head = head->next;
    delete old;
    return 0;
}

int CBackupList::RestoreFromBack(CImage& image)
{
    if (IsEmpty()) return -1;
    CBackupNode* detached = tail;
    if (head == tail) {
        head = tail = nullptr;
    } else {
        CBackupNode* before = head;
        while (before->next != tail) before = before->next;
        before->next = nullptr;
        tail = before;
    }
    std::unique_ptr<CBackupNode> owner(detached);
    image = detached->image;
    return 0;
}

void CBackupList::RemoveAll()
{
    while (head != nullptr) {
        CBackupNode* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
}
