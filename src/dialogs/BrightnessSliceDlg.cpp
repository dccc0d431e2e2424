// Brightness Slice dialog controls: one sentence with two edits.
#include "dialogs/BrightnessSliceDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CBrightnessSliceDlg::CBrightnessSliceDlg(QWidget* parent) : CPreviewDlg(model_, parent)
{
    auto* sentence = new QGridLayout;
    sentence->addWidget(new QLabel("Set pixels between"), 0, 0);
    sentence->addWidget(AddEdit(BrightnessSliceDialogModel::kLow, model_.lowText), 0, 1);
    sentence->addWidget(new QLabel("and"), 1, 0, Qt::AlignRight);
    sentence->addWidget(AddEdit(BrightnessSliceDialogModel::kHigh, model_.highText), 1, 1);
    sentence->addWidget(new QLabel("to white"), 2, 0);
    Arrange(sentence);
}
