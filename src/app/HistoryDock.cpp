// The History dock: a first row for the image before any step, then one row
// per step; the steps undone follow in grey italics.
#include "app/HistoryDock.h"

#include <QHeaderView>
#include <QTableWidget>

#include "document/NUVAKDoc.h"

namespace {

const char* const kFirstRow = "Original image";
constexpr int kEntryRole = Qt::UserRole;
constexpr int kUndoneRole = Qt::UserRole + 1;

}  // namespace

CHistoryDock::CHistoryDock(QWidget* parent) : QDockWidget("History", parent), list_(new QTableWidget(0, 1, this))
{
    setObjectName("historyDock");
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setFocusPolicy(Qt::NoFocus);
    // Whole steps, wrapped to the dock's width, each row as high as its text.
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->horizontalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(list_);
    connect(list_, &QTableWidget::itemClicked, this, [this](QTableWidgetItem* item) {
        if (item->row() != current_) emit entryChosen(item->data(kEntryRole).toInt());
    });
}

void CHistoryDock::ShowHistory(const CNUVAKDoc* document)
{
    struct Row {
        QString text;
        int entry;
        bool undone;
        bool reachable;
    };
    std::vector<Row> rows;
    int current = 0;
    if (document) {
        const CHistory& history = document->History();
        rows.push_back({kFirstRow, -1, false, document->CanGoToEntry(std::nullopt)});
        const std::vector<HistoryEntry>& entries = history.Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const bool undone = i >= history.Applied();
            for (const std::string& line : EntryLines(entries[i]))
                rows.push_back({QString::fromStdString(line), int(i), undone, document->CanGoToEntry(i)});
            if (!undone) current = int(rows.size()) - 1;
        }
    }
    // Rebuilt only when the rows changed, since every command refreshes it.
    QString shown = QString::number(current);
    for (const Row& row : rows)
        shown += QString("\n%1 %2 %3 %4").arg(row.entry).arg(row.undone).arg(row.reachable).arg(row.text);
    if (shown == shown_) return;
    shown_ = shown;
    current_ = current;
    list_->setRowCount(0);
    list_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const Row& row = rows[i];
        auto* item = new QTableWidgetItem(row.text);
        list_->setItem(i, 0, item);
        item->setToolTip(row.text);
        item->setData(kEntryRole, row.entry);
        item->setData(kUndoneRole, row.undone);
        // A step whose undo snapshot went for memory can no longer be gone back to.
        if (!row.reachable) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        if (row.undone) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
            item->setForeground(list_->palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    if (QTableWidgetItem* item = list_->item(current_, 0)) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
        item->setBackground(list_->palette().highlight());
        item->setForeground(list_->palette().highlightedText());
        list_->scrollToItem(item);
    }
}

QStringList CHistoryDock::RowTexts(bool undone) const
{
    QStringList lines;
    for (int i = 1; i < list_->rowCount(); ++i)
        if (list_->item(i, 0)->data(kUndoneRole).toBool() == undone) lines << list_->item(i, 0)->text();
    return lines;
}

QStringList CHistoryDock::Lines() const { return RowTexts(false); }

QStringList CHistoryDock::UndoneLines() const { return RowTexts(true); }
