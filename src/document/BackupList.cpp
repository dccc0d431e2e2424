// The undo history: snapshots in, the newest back out, the undone ones kept
// for Redo, the oldest dropped when the budget is spent.
#include "document/BackupList.h"

#include <atomic>
#include <memory>
#include <new>

#include "platform/Memory.h"
#include "platform/UserInterface.h"

namespace {

std::atomic<std::uint64_t> budget{0};  // 0: the default

}  // namespace

std::uint64_t SnapshotBytes(const CImage& image)
{
    const std::uint64_t pixels = image.pixelValueArray.size();
    std::uint64_t bytes = pixels * (image.pixelValueArray.HoldsGrey() ? 1 : sizeof(CColorVal));
    if (image.dataArray.present())
        bytes += std::uint64_t(image.dataArray.stride()) * std::uint64_t(image.dataArray.height()) *
                 sizeof(FrequencyBuffer::Value);
    return bytes;
}

std::uint64_t CBackupList::DefaultBudget()
{
    // Without word from the system, room for a few large images.
    const std::uint64_t physical = platform::PhysicalMemory();
    return physical != 0 ? physical / 4 : std::uint64_t(1) << 30;
}

std::uint64_t CBackupList::Budget()
{
    const std::uint64_t set = budget.load();
    return set != 0 ? set : DefaultBudget();
}

void CBackupList::SetBudget(std::uint64_t bytes) { budget.store(bytes); }

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
    node->bytes = SnapshotBytes(node->image);
    return node.release();
}

void CBackupList::AddToBack(const CImage& image) { AddToBack(GetNewNode(image)); }

void CBackupList::AddToBack(CBackupNode* node)
{
    ForgetRedo();
    if (node == nullptr) return;
    node->next = nullptr;
    node->serial = ++serial_;
    bytes_ += node->bytes;
    if (IsEmpty())
        head = node;
    else
        tail->next = node;
    tail = node;
    Trim();
}

void CBackupList::Trim()
{
    // The newest step stays whatever it takes.
    while (bytes_ > Budget() && head != tail) {
        dropped_ = head->serial;
        if (RemoveFromFront() != 0) {
            platform::error("CBackupList::RemoveFromFront() failed.");
            return;
        }
    }
}

int CBackupList::RemoveFromFront()
{
    if (IsEmpty()) return -1;
    CBackupNode* old = head;
    if (head == tail)
        head = tail = nullptr;
    else
        head = head->next;
    bytes_ -= old->bytes;
    delete old;
    return 0;
}

CBackupNode* CBackupList::DetachBack()
{
    CBackupNode* detached = tail;
    if (head == tail) {
        head = tail = nullptr;
    } else {
        CBackupNode* before = head;
        while (before->next != tail) before = before->next;
        before->next = nullptr;
        tail = before;
    }
    bytes_ -= detached->bytes;
    return detached;
}

int CBackupList::RestoreFromBack(CImage& image)
{
    if (IsEmpty()) return -1;
    // The copy comes first: when memory runs out nothing has changed yet.
    std::unique_ptr<CBackupNode> forward(GetNewNode(image));
    if (!forward) return -1;
    forward->image.objects = image.objects;
    std::unique_ptr<CBackupNode> back(DetachBack());
    image = std::move(back->image);
    forward->serial = back->serial;
    forward->next = redo_;
    bytes_ += forward->bytes;
    redo_ = forward.release();
    return 0;
}

int CBackupList::RestoreFromRedo(CImage& image)
{
    if (!CanRedo()) return -1;
    std::unique_ptr<CBackupNode> backward(GetNewNode(image));
    if (!backward) return -1;
    std::unique_ptr<CBackupNode> forward(redo_);
    redo_ = forward->next;
    bytes_ -= forward->bytes;
    image = std::move(forward->image);
    backward->serial = forward->serial;
    bytes_ += backward->bytes;
    if (IsEmpty())
        head = backward.get();
    else
        tail->next = backward.get();
    tail = backward.release();
    Trim();
    return 0;
}

void CBackupList::ForgetRedo()
{
    while (redo_ != nullptr) {
        CBackupNode* next = redo_->next;
        bytes_ -= redo_->bytes;
        delete redo_;
        redo_ = next;
    }
}

void CBackupList::RemoveAll()
{
    ForgetRedo();
    while (head != nullptr) {
        CBackupNode* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    bytes_ = 0;
    dropped_ = cleared_ = serial_;
}
