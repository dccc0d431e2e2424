// Recent files under the "Recent File List" group of the settings.
#include "app/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kGroup = "Recent File List";

}  // namespace

CRecentFileList::CRecentFileList()
{
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QString("File%1").arg(i)).toString();
        if (!path.isEmpty()) paths_ << path;
    }
}

void CRecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kSize) paths_.removeLast();
    Save();
}

void CRecentFileList::Remove(const QString& path)
{
    paths_.removeAll(QFileInfo(path).absoluteFilePath());
    Save();
}

void CRecentFileList::Save() const
{
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kSize; ++i) {
        const QString key = QString("File%1").arg(i);
        if (i <= paths_.size())
            settings.setValue(key, paths_[i - 1]);
        else
            settings.remove(key);
    }
}
