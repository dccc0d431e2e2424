// Scale dialog controls: each percentage edit followed by "%".
#include "dialogs/ScaleDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/NumericEdit.h"

CScaleDlg::CScaleDlg(QWidget* parent) : COperationDlg(model_, parent)
{
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("X"), 0, 0);
    fields->addWidget(AddNumericEdit(ScaleDialogModel::kX, model_.x), 0, 1);
    fields->addWidget(new QLabel("%"), 0, 2);
    fields->addWidget(new QLabel("Y"), 1, 0);
    fields->addWidget(AddNumericEdit(ScaleDialogModel::kY, model_.y), 1, 1);
    fields->addWidget(new QLabel("%"), 1, 2);
    auto* controls = new QVBoxLayout;
    controls->addLayout(fields);
    controls->addWidget(AddRadioPair("Interpolation Method", ScaleDialogModel::kNearest, "Nearest Neighbor",
                                     ScaleDialogModel::kBilinear, "Bilinear", model_.method == 0,
                                     [this](bool nearest) { model_.method = nearest ? 0 : 1; }));
    Arrange(controls);
}
