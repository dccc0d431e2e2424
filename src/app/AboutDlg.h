// CAboutDlg: the About box with the program's version.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    static QString VersionText();
    static QString CopyrightText();
};
