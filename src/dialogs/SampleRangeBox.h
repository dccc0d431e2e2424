// The 16-bit range choice as a row of controls (a list and the fixed range's
// two levels), shown by the Open dialog and by File, 16-bit Levels; and the
// workbench's preference it sets, kept in the settings.
#pragma once

#include <QWidget>

#include "image/ImageFormat.h"

class QComboBox;
class QSpinBox;

class CSampleRangeBox : public QWidget {
    Q_OBJECT
public:
    explicit CSampleRangeBox(QWidget* parent = nullptr);
    SampleRange Range() const;
    void SetRange(const SampleRange& range);

    QComboBox* rangeList = nullptr;
    QSpinBox* lowLevel = nullptr;
    QSpinBox* highLevel = nullptr;
};

// The preference from the settings, made the rule of every read.
void LoadRangePreference();
// Makes range the rule of every read and keeps it in the settings.
void SaveRangePreference(const SampleRange& range);
