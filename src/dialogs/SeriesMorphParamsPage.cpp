// Morphological Parameters page.
#include "dialogs/SeriesMorphParamsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogs/FieldMark.h"
#include "dialogs/SeriesPropSheet.h"
#include "forms/MorphologyDialogModel.h"
#include "series/SeriesPages.h"

CSeriesMorphParamsPage::CSeriesMorphParamsPage(CSeriesPropSheet& sheet) : CSeriesPage(sheet, SeriesPage::MorphParams)
{
    auto* form = new QFormLayout(this);
    form->addRow("Size", AddList(SeriesMorphFields::kSize, SizeListEntries(), fields.sizeIndex));
    form->addRow("Direction",
                 AddList(SeriesMorphFields::kDirection, MorphologyDialogModel::DirectionEntries(), fields.direction));
    form->addRow(AddLabel(SeriesMorphFields::kRepetitionsLabel, "Repetitions"),
                 AddEdit(SeriesMorphFields::kRepetitions, fields.repetitions));
    form->addRow(FieldMarkLine());
}

void CSeriesMorphParamsPage::OnSetActive()
{
    SetShown({SeriesMorphFields::kRepetitionsLabel, SeriesMorphFields::kRepetitions},
             UsesRepetitions(Settings().operationName));
}

bool CSeriesMorphParamsPage::OnKillActive() { return Accept(fields.Read(Settings().params)); }

std::optional<FieldFailure> CSeriesMorphParamsPage::TypedFailure() const
{
    OperationParams p;
    return fields.Read(p);
}
