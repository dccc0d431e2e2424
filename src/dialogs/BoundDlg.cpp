// Bound dialog controls and the Palette button.
#include "dialogs/BoundDlg.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>

CBoundDlg::CBoundDlg(QWidget* parent) : CPreviewDlg(model_, parent)
{
    chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    auto* color = new QGroupBox("Color");
    auto* edits = new QFormLayout(color);
    edits->addRow("Intensity:", AddEdit(BoundDialogModel::kIntensity, model_.intensityText));
    edits->addRow("Red:", AddEdit(BoundDialogModel::kRed, model_.redText));
    edits->addRow("Green:", AddEdit(BoundDialogModel::kGreen, model_.greenText));
    edits->addRow("Blue:", AddEdit(BoundDialogModel::kBlue, model_.blueText));
    auto* palette = new QPushButton("Palette");
    Register(BoundDialogModel::kPalette, palette);
    edits->addRow(palette);
    connect(palette, &QPushButton::clicked, this, &CBoundDlg::OnPalette);

    auto* controls = new QVBoxLayout;
    controls->addWidget(color);
    controls->addWidget(AddRadioPair("Mode", BoundDialogModel::kInside, "Inside AOI", BoundDialogModel::kOutside,
                                     "Outside AOI", model_.fillMode == 0,
                                     [this](bool inside) { model_.fillMode = inside ? 0 : 1; }));
    Arrange(controls);
}

void CBoundDlg::Opened()
{
    Control(BoundDialogModel::kIntensity)->setEnabled(model_.IntensityEnabled());
    for (int id : {BoundDialogModel::kRed, BoundDialogModel::kGreen, BoundDialogModel::kBlue, BoundDialogModel::kPalette})
        Control(id)->setEnabled(model_.ColorEnabled());
}

void CBoundDlg::OnPalette()
{
    const CColorVal initial = model_.PaletteColor();
    const std::optional<QColor> chosen = chooseColor(QColor(initial.red, initial.green, initial.blue));
    if (!chosen) return;
    model_.SetPaletteColor(CColorVal(chosen->red(), chosen->green(), chosen->blue()));
    {
        // Three edits change at once: one preview follows, not three.
        const std::array ids = {BoundDialogModel::kRed, BoundDialogModel::kGreen, BoundDialogModel::kBlue};
        const std::array texts = {&model_.redText, &model_.greenText, &model_.blueText};
        for (size_t k = 0; k < ids.size(); ++k) {
            auto* edit = static_cast<QLineEdit*>(Control(ids[k]));
            const QSignalBlocker blocker(edit);
            edit->setText(QString::fromStdString(*texts[k]));
        }
    }
    Changed();
}
