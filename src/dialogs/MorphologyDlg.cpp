// Morphological dialog controls.
#include "dialogs/MorphologyDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CMorphologyDlg::CMorphologyDlg(int operation, QWidget* parent) : CPreviewDlg(model_, parent)
{
    model_.SetOperation(operation);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Size"), 0, 0);
    fields->addWidget(AddList(MorphologyDialogModel::kSize, SizeListEntries(), model_.size), 0, 1);
    fields->addWidget(new QLabel("Direction"), 1, 0);
    fields->addWidget(
        AddList(MorphologyDialogModel::kDirection, MorphologyDialogModel::DirectionEntries(), model_.direction), 1, 1);
    auto* repetitionsLabel = new QLabel("Repetitions");
    Register(MorphologyDialogModel::kRepetitionsLabel, repetitionsLabel);
    fields->addWidget(repetitionsLabel, 2, 0);
    fields->addWidget(AddEdit(MorphologyDialogModel::kRepetitions, model_.repetitionsText), 2, 1);
    Arrange(fields);

    for (int id : {MorphologyDialogModel::kRepetitions, MorphologyDialogModel::kRepetitionsLabel})
        Control(id)->setVisible(model_.RepetitionsShown());
}
