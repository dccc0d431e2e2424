// The History dock: one list line per step of the active document.
#include "app/HistoryDock.h"

#include <QListWidget>

#include "document/NUVAKDoc.h"

CHistoryDock::CHistoryDock(QWidget* parent) : QDockWidget("History", parent), list_(new QListWidget(this))
{
    setObjectName("historyDock");
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    setWidget(list_);
}

void CHistoryDock::ShowHistory(const CNUVAKDoc* document)
{
    QStringList lines;
    if (document)
        for (const std::string& line : document->History().Lines()) lines << QString::fromStdString(line);
    // Rebuilt only when the steps changed, since every command refreshes it.
    if (lines == Lines()) return;
    list_->clear();
    list_->addItems(lines);
    list_->scrollToBottom();
}

QStringList CHistoryDock::Lines() const
{
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
    return lines;
}
