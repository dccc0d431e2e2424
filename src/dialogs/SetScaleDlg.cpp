// Set Scale: the two ways of giving a pixel's size, the unit and the scope.
#include "dialogs/SetScaleDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/FieldMark.h"
#include "dialogs/FitScrollArea.h"
#include "dialogs/HelpWindow.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

QLineEdit* Edit(const std::string& text, std::string& field)
{
    auto* edit = new QLineEdit(QString::fromStdString(text));
    QObject::connect(edit, &QLineEdit::textChanged, edit, [&field](const QString& value) { field = value.toStdString(); });
    return edit;
}

}  // namespace

CSetScaleDlg::CSetScaleDlg(SetScaleModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      fromDistance_(new QRadioButton("From a &known distance")),
      pixelSize_(new QRadioButton("&Pixel size")),
      distance_(Edit(model.distanceText, model.distanceText)),
      known_(Edit(model.knownText, model.knownText)),
      width_(Edit(model.widthText, model.widthText)),
      height_(Edit(model.heightText, model.heightText)),
      unit_(new QComboBox),
      applyToAll_(new QCheckBox("Apply to &all open images")),
      useForLater_(new QCheckBox("&Use for images opened later")),
      scale_(new QLabel),
      mark_(new CFieldMark)
{
    setWindowTitle("Set Scale");
    for (const std::string& entry : SetScaleModel::UnitEntries()) unit_->addItem(QString::fromStdString(entry));
    unit_->setCurrentIndex(model_.unit);
    (model_.fromDistance ? fromDistance_ : pixelSize_)->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(fromDistance_);
    form->addRow("Distance in pixels:", distance_);
    form->addRow("Known distance:", known_);
    form->addRow(pixelSize_);
    form->addRow("Pixel width:", width_);
    form->addRow("Pixel height:", height_);
    form->addRow("Unit of length:", unit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetScaleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSetScaleDlg::reject);
    // The fields scroll on a screen too small for them; OK and Cancel stay in sight.
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(scale_);
    layout->addWidget(mark_);
    layout->addWidget(applyToAll_);
    layout->addWidget(useForLater_);
    auto* top = new QVBoxLayout(this);
    top->addWidget(new CFitScrollArea(body, QSize(48, buttons->sizeHint().height() + 64)));
    top->addWidget(buttons);
    CHelpWindow::AddF1(this, "set-scale");

    connect(fromDistance_, &QRadioButton::toggled, this, [this](bool on) {
        model_.fromDistance = on;
        ShowMode();
    });
    connect(unit_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.unit = index;
        ShowScale();
    });
    for (QLineEdit* edit : {distance_, known_, width_, height_})
        connect(edit, &QLineEdit::textChanged, this, &CSetScaleDlg::ShowScale);
    connect(applyToAll_, &QCheckBox::toggled, this, [this](bool on) { model_.applyToAll = on; });
    connect(useForLater_, &QCheckBox::toggled, this, [this](bool on) { model_.useForLater = on; });
    ShowMode();
    marking_ = true;
}

QLineEdit* CSetScaleDlg::Field(int control) const
{
    switch (control) {
    case SetScaleModel::kDistance: return distance_;
    case SetScaleModel::kKnown: return known_;
    case SetScaleModel::kWidth: return width_;
    case SetScaleModel::kHeight: return height_;
    default: return nullptr;
    }
}

QString CSetScaleDlg::ScaleText() const { return scale_->text(); }

QString CSetScaleDlg::FieldMessage() const { return mark_->text(); }

void CSetScaleDlg::ShowMode()
{
    for (QLineEdit* edit : {distance_, known_}) edit->setEnabled(model_.fromDistance);
    for (QLineEdit* edit : {width_, height_}) edit->setEnabled(!model_.fromDistance);
    ShowScale();
}

void CSetScaleDlg::ShowScale()
{
    CCalibration calibration;
    const std::optional<FieldFailure> failure = model_.Read(calibration);
    if (marking_)
        mark_->Mark(failure ? Field(failure->control) : nullptr,
                    failure ? QString::fromStdString(failure->message) : QString());
    if (failure) {
        scale_->setText(QString());
        return;
    }
    scale_->setText(QString::fromStdString(CalibrationText(calibration)));
}

void CSetScaleDlg::accept()
{
    CCalibration calibration;
    if (const std::optional<FieldFailure> failure = model_.Read(calibration)) {
        platform::error(failure->message);
        if (QLineEdit* field = Field(failure->control)) {
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    QDialog::accept();
}
