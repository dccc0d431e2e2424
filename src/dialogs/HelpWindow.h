// CHelpWindow: the program's short manual in a text browser.
#pragma once

#include <QDialog>

class QTextBrowser;

class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }
    // The section it was opened at; empty for the start of the manual.
    const QString& Anchor() const { return anchor_; }

    // Opens a window beside parent at the manual's section of that anchor;
    // it closes with parent or by itself.
    static CHelpWindow* ShowSection(QWidget* parent, const QString& anchor);
    // F1 in dialog opens the manual at its section.
    static void AddF1(QWidget* dialog, const QString& anchor);

private:
    QTextBrowser* browser_;
    QString anchor_;
};
