// Parameters page: Bound's colour and mode, Brightness Slice's limits and
// Threshold's edit-pixels group.
#include "dialogs/SeriesProcessParams.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialogs/FieldMark.h"
#include "dialogs/SeriesPropSheet.h"
#include "forms/SeriesParameterControls.h"
#include "forms/ThresholdDialogModel.h"

CSeriesProcessParams::CSeriesProcessParams(CSeriesPropSheet& sheet) : CSeriesPage(sheet, SeriesPage::ProcessParams)
{
    using F = SeriesProcessFields;
    auto* color = new QGroupBox("Color", this);
    Register(F::kColorGroup, color);
    auto* colorForm = new QFormLayout(color);
    colorForm->addRow(AddLabel(F::kIntensityLabel, "Intensity:"), AddEdit(F::kIntensity, fields.intensity));
    colorForm->addRow(AddLabel(F::kRedLabel, "Red:"), AddEdit(F::kRed, fields.red));
    colorForm->addRow(AddLabel(F::kGreenLabel, "Green:"), AddEdit(F::kGreen, fields.green));
    colorForm->addRow(AddLabel(F::kBlueLabel, "Blue:"), AddEdit(F::kBlue, fields.blue));
    auto* palette = new QPushButton("Palette", this);
    Register(F::kPalette, palette);
    connect(palette, &QPushButton::clicked, this, &CSeriesProcessParams::OnPalette);
    colorForm->addRow(palette);

    auto* mode = new QGroupBox("Mode", this);
    Register(F::kModeGroup, mode);
    auto* modeRadios = new QVBoxLayout(mode);
    modeRadios->addWidget(AddRadio(F::kInside, "Inside AOI", fields.boundMode, 0));
    modeRadios->addWidget(AddRadio(F::kOutside, "Outside AOI", fields.boundMode, 1));

    auto* slice = new QHBoxLayout;
    slice->addWidget(AddLabel(F::kBetween, "Set pixels between"));
    slice->addWidget(AddEdit(F::kLower, fields.lower));
    slice->addWidget(AddLabel(F::kAnd, "and"));
    slice->addWidget(AddEdit(F::kUpper, fields.upper));
    slice->addWidget(AddLabel(F::kToWhite, "to white"));
    slice->addStretch();

    auto* edit = new QGroupBox("Edit pixels", this);
    Register(F::kEditGroup, edit);
    auto* editForm = new QFormLayout(edit);
    editForm->addRow(AddLabel(F::kComponentLabel, "Component"),
                     AddList(F::kComponent, ThresholdDialogModel::ComponentEntries(), fields.component));
    editForm->addRow(AddLabel(F::kThresholdLabel, "Threshold"), AddEdit(F::kThreshold, fields.threshold));
    editForm->addRow(AddLabel(F::kFillLabel, "Fill"), AddEdit(F::kFill, fields.fill));
    editForm->addRow(AddRadio(F::kBelow, "Below", fields.editAbove, 0));
    editForm->addRow(AddRadio(F::kAbove, "Above", fields.editAbove, 1));

    auto* bound = new QHBoxLayout;
    bound->addWidget(color);
    bound->addWidget(mode, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bound);
    layout->addLayout(slice);
    layout->addWidget(edit);
    layout->addWidget(FieldMarkLine());
    layout->addStretch();
}

void CSeriesProcessParams::OnSetActive()
{
    using F = SeriesProcessFields;
    const SeriesParameterControls c = SeriesControlsFor(Settings().operationName, Settings().firstImage.format);
    SetShown({F::kColorGroup, F::kModeGroup}, c.boundGroups);
    SetEnabled({F::kIntensity, F::kIntensityLabel}, c.intensityEnabled);
    SetEnabled({F::kRed, F::kGreen, F::kBlue, F::kPalette, F::kRedLabel, F::kGreenLabel, F::kBlueLabel},
               c.colorEnabled);
    SetShown({F::kBetween, F::kLower, F::kAnd, F::kUpper, F::kToWhite}, c.sliceLimits);
    SetShown({F::kEditGroup}, c.editPixels);
    SetEnabled({F::kComponent, F::kComponentLabel}, c.componentEnabled);
}

bool CSeriesProcessParams::OnKillActive() { return Accept(fields.Read(Settings().params)); }

void CSeriesProcessParams::OnPalette()
{
    if (!OnKillActive()) return;
    const OperationParams& p = Settings().params;
    const std::optional<QColor> chosen = Sheet().choosers.color(this, QColor(p.red, p.green, p.blue));
    if (!chosen) return;
    fields.SetColor(CColorVal(chosen->red(), chosen->green(), chosen->blue()));
    using F = SeriesProcessFields;
    const std::pair<int, const std::string*> edits[] = {
        {F::kRed, &fields.red}, {F::kGreen, &fields.green}, {F::kBlue, &fields.blue}};
    for (const auto& [id, text] : edits) {
        auto* line = static_cast<QLineEdit*>(Control(id));
        const QSignalBlocker blocker(line);
        line->setText(QString::fromStdString(*text));
    }
    OnKillActive();
}

std::optional<FieldFailure> CSeriesProcessParams::TypedFailure() const
{
    OperationParams p;
    return fields.Read(p);
}
