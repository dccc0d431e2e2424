// File dialog sizing: wide enough for Name, Size, Type and Date Modified.
#include "app/FileDialogSize.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QDateTime>
#include <QLayout>
#include <QLocale>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

namespace {

const char* const kFitted = "nuvakFitted";
// Enough rows to choose among without scrolling at once.
constexpr int kMinimumHeight = 420;

}  // namespace

void FitFileDialogColumns(QFileDialog& dialog)
{
    if (dialog.property(kFitted).toBool()) return;
    dialog.setProperty(kFitted, true);
    auto* list = dialog.findChild<QTreeView*>("treeView");
    if (list == nullptr || dialog.layout() == nullptr) return;
    // Size, Type and Date Modified wide enough for their longest usual texts.
    QHeaderView* header = list->header();
    const QFontMetrics metrics = list->fontMetrics();
    const QString samples[] = {"1023.99 KiB", "Windows BMP image",
                               QLocale().toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat)};
    for (int section = 1; section <= 3 && section < header->count(); ++section)
        header->resizeSection(section, std::max(header->sectionSize(section),
                                                metrics.horizontalAdvance(samples[section - 1]) +
                                                    3 * metrics.averageCharWidth()));
    dialog.layout()->activate();
    const int hidden = list->header()->length() - list->viewport()->width();
    QSize size = dialog.size();
    // The frame of the list beside its columns, so that no scroll bar is needed.
    if (hidden > 0) size.rwidth() += hidden + 2 * list->frameWidth();
    size.setHeight(std::max(size.height(), kMinimumHeight));
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    // On a small screen the names give up room, down to a usual name's width,
    // so that the other columns stay in sight.
    dialog.layout()->activate();
    const int over = header->length() - list->viewport()->width();
    const int fewest = 20 * metrics.averageCharWidth();
    if (over > 0 && header->sectionSize(0) > fewest)
        header->resizeSection(0, std::max(fewest, header->sectionSize(0) - over));
}
