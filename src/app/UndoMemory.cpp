// The undo memory setting between the settings and the undo history.
#include "app/UndoMemory.h"

#include <QSettings>

#include "document/BackupList.h"

namespace {

const char* const kUndoMemoryKey = "undo/memoryMB";
constexpr std::uint64_t kMegabyte = 1024 * 1024;

}  // namespace

void LoadUndoMemoryPreference()
{
    const std::int64_t megabytes = QSettings().value(kUndoMemoryKey, 0).toLongLong();
    CBackupList::SetBudget(megabytes > 0 ? std::uint64_t(megabytes) * kMegabyte : 0);
}

void SaveUndoMemoryPreference(std::int64_t megabytes)
{
    CBackupList::SetBudget(std::uint64_t(megabytes) * kMegabyte);
    QSettings().setValue(kUndoMemoryKey, static_cast<qlonglong>(megabytes));
}

std::int64_t UndoMemoryMegabytes() { return static_cast<std::int64_t>(CBackupList::Budget() / kMegabyte); }
