// Filter parameters page.
#include "dialogs/SeriesFilterParamsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogs/FieldMark.h"
#include "dialogs/SeriesPropSheet.h"
#include "forms/FilterDialogModel.h"
#include "forms/SeriesParameterControls.h"

CSeriesFilterParamsPage::CSeriesFilterParamsPage(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::FilterParams)
{
    using F = SeriesFilterFields;
    auto* form = new QFormLayout(this);
    form->addRow("Size", AddList(F::kSize, SizeListEntries(), fields.sizeIndex));
    form->addRow(AddLabel(F::kDirectionLabel, "Direction"),
                 AddList(F::kDirection, FilterDialogModel::DirectionEntries(), fields.direction));
    form->addRow(AddLabel(F::kBoostLabel, "Boost"), AddEdit(F::kBoost, fields.boost));
    form->addRow(AddLabel(F::kSignificanceLabel, "Significance Threshold"),
                 AddEdit(F::kSignificance, fields.significance));
    form->addRow(AddLabel(F::kClutterLabel, "Clutter Threshold"), AddEdit(F::kClutter, fields.clutter));
    form->addRow(FieldMarkLine());
}

void CSeriesFilterParamsPage::OnSetActive()
{
    using F = SeriesFilterFields;
    const SeriesParameterControls c = SeriesControlsFor(Settings().operationName, Settings().firstImage.format);
    SetEnabled({F::kSize}, c.sizeEnabled);
    SetShown({F::kDirectionLabel, F::kDirection}, c.direction);
    SetShown({F::kBoostLabel, F::kBoost}, c.boost);
    SetShown({F::kSignificanceLabel, F::kSignificance, F::kClutterLabel, F::kClutter}, c.thresholds);
}

bool CSeriesFilterParamsPage::OnKillActive() { return Accept(fields.Read(Settings().params)); }

std::optional<FieldFailure> CSeriesFilterParamsPage::TypedFailure() const
{
    OperationParams p;
    return fields.Read(p);
}
