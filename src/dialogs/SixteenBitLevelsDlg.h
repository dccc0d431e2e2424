// File, 16-bit Levels: the workbench's preference for how 16-bit samples of
// the files read become 0..255.
#pragma once

#include <QDialog>
#include <optional>

#include "image/ImageFormat.h"

class CSampleRangeBox;

class CSixteenBitLevelsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSixteenBitLevelsDlg(QWidget* parent);

    CSampleRangeBox* range = nullptr;
};

// Runs the dialog from the current rule; the chosen range, none when cancelled.
std::optional<SampleRange> ChooseSixteenBitLevels(QWidget* parent);
