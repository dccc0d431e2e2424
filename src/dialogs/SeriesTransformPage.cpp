// Transformation page.
#include "dialogs/SeriesTransformPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/FieldMark.h"
#include "dialogs/SeriesPropSheet.h"
#include "forms/SeriesParameterControls.h"

CSeriesTransformPage::CSeriesTransformPage(CSeriesPropSheet& sheet) : CSeriesPage(sheet, SeriesPage::TransformParams)
{
    using F = SeriesTransformFields;
    auto* grid = new QGridLayout;
    grid->addWidget(AddLabel(F::kDegreesLabel, "Degrees"), 0, 0);
    grid->addWidget(AddEdit(F::kDegrees, fields.degrees), 0, 1);
    grid->addWidget(AddLabel(F::kXLabel, "X"), 1, 0);
    grid->addWidget(AddEdit(F::kX, fields.x), 1, 1);
    grid->addWidget(AddLabel(F::kXPercent, "%"), 1, 2);
    grid->addWidget(AddLabel(F::kYLabel, "Y"), 2, 0);
    grid->addWidget(AddEdit(F::kY, fields.y), 2, 1);
    grid->addWidget(AddLabel(F::kYPercent, "%"), 2, 2);
    grid->setColumnStretch(3, 1);

    auto* group = new QGroupBox("Interpolation Method", this);
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(AddRadio(F::kNearest, "Nearest Neighbor", fields.interpolation, 0));
    radios->addWidget(AddRadio(F::kBilinear, "Bilinear", fields.interpolation, 1));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(group);
    layout->addWidget(FieldMarkLine());
    layout->addStretch();
}

void CSeriesTransformPage::OnSetActive()
{
    using F = SeriesTransformFields;
    const SeriesParameterControls c = SeriesControlsFor(Settings().operationName, Settings().firstImage.format);
    SetShown({F::kDegreesLabel, F::kDegrees}, c.degrees);
    SetShown({F::kXLabel, F::kX, F::kXPercent, F::kYLabel, F::kY, F::kYPercent}, c.scale);
}

bool CSeriesTransformPage::OnKillActive() { return Accept(fields.Read(Settings().params)); }

bool CSeriesTransformPage::OnWizardNext() { return Accept(fields.Next(Settings().params)); }

std::optional<FieldFailure> CSeriesTransformPage::TypedFailure() const
{
    OperationParams p;
    return fields.Next(p);
}
