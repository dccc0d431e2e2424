// CSetScaleDlg: the "Set Scale" dialog: how long a pixel is, from a known
// distance or directly, for the active image, every open one or the images
// opened later.
#pragma once

#include <QDialog>

#include "forms/SetScaleModel.h"

class CFieldMark;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CSetScaleDlg : public QDialog {
    Q_OBJECT
public:
    CSetScaleDlg(SetScaleModel& model, QWidget* parent = nullptr);

    QLineEdit* Field(int control) const;
    QComboBox* UnitList() const { return unit_; }
    QRadioButton* FromDistance() const { return fromDistance_; }
    QRadioButton* PixelSize() const { return pixelSize_; }
    QCheckBox* ApplyToAll() const { return applyToAll_; }
    QCheckBox* UseForLater() const { return useForLater_; }
    // What the fields give now, for the line under them.
    QString ScaleText() const;
    // The refusal marked at its field while typing; empty when none.
    QString FieldMessage() const;

    // Reads the fields; a refusal is shown and the dialog stays open.
    void accept() override;

private:
    void ShowMode();
    void ShowScale();

    SetScaleModel& model_;
    QRadioButton* fromDistance_;
    QRadioButton* pixelSize_;
    QLineEdit* distance_;
    QLineEdit* known_;
    QLineEdit* width_;
    QLineEdit* height_;
    QComboBox* unit_;
    QCheckBox* applyToAll_;
    QCheckBox* useForLater_;
    QLabel* scale_;
    CFieldMark* mark_;
    bool marking_ = false;  // from the first change on, not for the fields as opened
};
