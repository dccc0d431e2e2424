// CHistoryDock: View > History, the steps applied to the active image, each
// as its command line, then the steps undone that Redo brings back. The
// current step is marked; a click on another goes back or forward to it.
#pragma once

#include <QDockWidget>

class CNUVAKDoc;
class QTableWidget;

class CHistoryDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CHistoryDock(QWidget* parent = nullptr);
    // Shows the document's steps; nothing without a document.
    void ShowHistory(const CNUVAKDoc* document);
    // The lines of the steps applied, without the first row.
    QStringList Lines() const;
    // The lines of the steps undone.
    QStringList UndoneLines() const;
    // The row of the image as it is now (0: the first row, before any step).
    int CurrentRow() const { return current_; }
    QTableWidget* List() const { return list_; }

signals:
    // A row was clicked: the entry to go to, -1 for the image before any step.
    void entryChosen(int entry);

private:
    QStringList RowTexts(bool undone) const;

    QTableWidget* list_;
    int current_ = 0;
    QString shown_;  // what the rows show, so that an unchanged history is not rebuilt
};
