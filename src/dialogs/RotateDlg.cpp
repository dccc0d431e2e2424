// Rotate dialog controls.
#include "dialogs/RotateDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CRotateDlg::CRotateDlg(QWidget* parent) : COperationDlg(model_, parent)
{
    auto* fields = new QFormLayout;
    fields->addRow("Degrees", AddEdit(RotateDialogModel::kDegrees, model_.degreesText));
    auto* controls = new QVBoxLayout;
    controls->addLayout(fields);
    controls->addWidget(AddRadioPair("Interpolation Method", RotateDialogModel::kNearest, "Nearest Neighbor",
                                     RotateDialogModel::kBilinear, "Bilinear", model_.method == 0,
                                     [this](bool nearest) { model_.method = nearest ? 0 : 1; }));
    Arrange(controls);
}
