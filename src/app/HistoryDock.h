// CHistoryDock: View > History, the steps applied to the active image, each
// as its command line.
#pragma once

#include <QDockWidget>

class CNUVAKDoc;
class QListWidget;

class CHistoryDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CHistoryDock(QWidget* parent = nullptr);
    // Shows the document's steps; nothing without a document.
    void ShowHistory(const CNUVAKDoc* document);
    QStringList Lines() const;

private:
    QListWidget* list_;
};
