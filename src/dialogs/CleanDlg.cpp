// Clean dialog controls.
#include "dialogs/CleanDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

CCleanDlg::CCleanDlg(QWidget* parent) : CPreviewDlg(model_, parent)
{
    auto* fields = new QFormLayout;
    fields->addRow("Mask size", AddList(CleanDialogModel::kMaskSize, SizeListEntries(), model_.maskSize));
    fields->addRow("Significance Threshold", AddEdit(CleanDialogModel::kSignificance, model_.significanceText));
    fields->addRow("Clutter Threshold", AddEdit(CleanDialogModel::kClutter, model_.clutterText));
    Arrange(fields);
}
