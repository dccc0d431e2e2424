// The Open dialog for images, with the 16-bit range choice under the file
// list. The choice is the workbench's preference: kept in the settings and
// used by every read (Open, drag and drop, recent files, the series).
#pragma once

#include <QFileDialog>

class CSampleRangeBox;

class CImageOpenDlg : public QFileDialog {
    Q_OBJECT
public:
    CImageOpenDlg(QWidget* parent, const QString& caption);

    CSampleRangeBox* range = nullptr;
};

// Runs the dialog, starting in folder; the chosen files, empty when cancelled. OK makes the
// dialog's range the preference.
QStringList ChooseImagesToOpen(QWidget* parent, const QString& folder);
