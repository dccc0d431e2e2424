// Threshold dialog controls.
#include "dialogs/ThresholdDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CThresholdDlg::CThresholdDlg(QWidget* parent) : CPreviewDlg(model_, parent)
{
    auto* fields = new QFormLayout;
    fields->addRow("Component", AddList(ThresholdDialogModel::kComponent, ThresholdDialogModel::ComponentEntries(),
                                        model_.component));
    fields->addRow("Threshold", AddEdit(ThresholdDialogModel::kLevel, model_.levelText));
    fields->addRow("Fill", AddEdit(ThresholdDialogModel::kFill, model_.fillText));
    auto* controls = new QVBoxLayout;
    controls->addLayout(fields);
    controls->addWidget(AddRadioPair("Edit pixels", ThresholdDialogModel::kBelow, "Below", ThresholdDialogModel::kAbove,
                                     "Above", model_.below, [this](bool below) { model_.below = below; }));
    Arrange(controls);
}

void CThresholdDlg::Opened() { Control(ThresholdDialogModel::kComponent)->setEnabled(model_.ComponentEnabled()); }
