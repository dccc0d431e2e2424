// Filter dialog controls.
#include "dialogs/FilterDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "dialogs/NumericEdit.h"

CFilterDlg::CFilterDlg(int filterType, QWidget* parent) : CPreviewDlg(model_, parent)
{
    model_.SetFilterType(filterType);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Size"), 0, 0);
    fields->addWidget(AddList(FilterDialogModel::kSize, SizeListEntries(), model_.size), 0, 1);
    auto* directionLabel = new QLabel("Direction");
    Register(FilterDialogModel::kDirectionLabel, directionLabel);
    fields->addWidget(directionLabel, 1, 0);
    fields->addWidget(AddList(FilterDialogModel::kDirection, FilterDialogModel::DirectionEntries(), model_.direction),
                      1, 1);
    auto* boostLabel = new QLabel("Boost");
    Register(FilterDialogModel::kBoostLabel, boostLabel);
    fields->addWidget(boostLabel, 2, 0);
    fields->addWidget(AddNumericEdit(FilterDialogModel::kBoost, model_.boost), 2, 1);
    Arrange(fields);

    Control(FilterDialogModel::kSize)->setEnabled(model_.SizeEnabled());
    for (int id : {FilterDialogModel::kDirection, FilterDialogModel::kDirectionLabel})
        Control(id)->setVisible(model_.DirectionShown());
    for (int id : {FilterDialogModel::kBoost, FilterDialogModel::kBoostLabel})
        Control(id)->setVisible(model_.BoostShown());
}
