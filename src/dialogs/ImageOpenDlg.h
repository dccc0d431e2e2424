// The Open dialog for images, with the 16-bit range choice under the file
// list. The choice is the workbench's preference: kept in the settings and
// used by every read (Open, drag and drop, recent files, the series).
#pragma once

#include <QFileDialog>

#include "image/ImageFormat.h"

class QComboBox;
class QSpinBox;

class CImageOpenDlg : public QFileDialog {
    Q_OBJECT
public:
    CImageOpenDlg(QWidget* parent, const QString& caption);
    SampleRange Range() const;
    void SetRange(const SampleRange& range);

    QComboBox* rangeList = nullptr;
    QSpinBox* lowLevel = nullptr;
    QSpinBox* highLevel = nullptr;
};

// Runs the dialog; the chosen files, empty when cancelled. OK makes the
// dialog's range the preference.
QStringList ChooseImagesToOpen(QWidget* parent);

// The preference from the settings, made the rule of every read.
void LoadRangePreference();
void SaveRangePreference(const SampleRange& range);
