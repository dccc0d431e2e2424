// The four most recently opened or saved files, kept in the settings.
#pragma once

#include <QStringList>

class CRecentFileList {
public:
    static constexpr int kSize = 4;

    CRecentFileList();
    QStringList Paths() const { return paths_; }
    // Moves path to the top, dropping the oldest beyond four.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Save() const;

    QStringList paths_;
};
