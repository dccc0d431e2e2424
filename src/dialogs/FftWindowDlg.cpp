// The window page: choice, sliders, percent and the windowed picture.
#include "dialogs/FftWindowDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "dialogs/FitScrollArea.h"
#include "dialogs/FftPicture.h"
#include "dialogs/FftPageHost.h"
#include "forms/FftSheetModel.h"
#include "platform/UserInterface.h"

namespace {

QSlider* MakeSlider(int position)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(FftWindowModel::kSliderMin, FftWindowModel::kSliderMax);
    slider->setValue(position);
    return slider;
}

QLabel* ValueLabel(int position)
{
    auto* label = new QLabel(QString::fromStdString(FftWindowModel::SliderLabel(position)));
    label->setMinimumWidth(40);
    return label;
}

}  // namespace

CFftWindowDlg::CFftWindowDlg(CFftPageHost& sheet)
    : sheet_(sheet),
      choices_(new QButtonGroup(this)),
      cosine_(MakeSlider(model_.cosinePosition)),
      rolloff_(MakeSlider(model_.rolloffPosition)),
      cosineLabel_(ValueLabel(model_.cosinePosition)),
      rolloffLabel_(ValueLabel(model_.rolloffPosition)),
      percent_(new QLineEdit(QString::number(model_.rolloffPercent))),
      percentSign_(new QLabel("%")),
      picture_(new CFftPicture)
{
    picture_->SetBox(model_.Picture());
    percent_->setFixedWidth(50);
    auto* intro = new QLabel(kFftWindowIntro);
    intro->setWordWrap(true);
    intro->setMinimumWidth(320);
    auto* select = new QLabel(kFftWindowSelect);
    select->setWordWrap(true);

    auto* controls = new QGridLayout;
    controls->addWidget(intro, 0, 0, 1, 3);
    controls->addWidget(select, 1, 0, 1, 3);
    int row = 2;
    for (int choice = 0; choice < static_cast<int>(kFftWindowNames.size()); ++choice) {
        auto* radio = new QRadioButton(kFftWindowNames[choice]);
        choices_->addButton(radio, choice);
        controls->addWidget(radio, row++, 0, 1, 3);
        if (choice == kWindowCosine) {
            controls->addWidget(cosine_, row, 0, 1, 2);
            controls->addWidget(cosineLabel_, row++, 2);
        } else if (choice == kWindowRolloff) {
            controls->addWidget(rolloff_, row, 0, 1, 2);
            controls->addWidget(rolloffLabel_, row++, 2);
            controls->addWidget(percent_, row, 0);
            controls->addWidget(percentSign_, row++, 1);
        }
    }
    controls->setRowStretch(row, 1);
    choices_->button(model_.choice)->setChecked(true);

    auto* layout = new QHBoxLayout(ScrolledBody(this, kWizardReserve));
    layout->addWidget(picture_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(controls, 1);
    EnableControls();

    connect(choices_, &QButtonGroup::idClicked, this, &CFftWindowDlg::OnChoice);
    connect(cosine_, &QSlider::valueChanged, this,
            [this] { OnSliderMoved(cosine_, cosineLabel_, model_.cosinePosition); });
    connect(rolloff_, &QSlider::valueChanged, this,
            [this] { OnSliderMoved(rolloff_, rolloffLabel_, model_.rolloffPosition); });
    connect(cosine_, &QSlider::sliderReleased, this, &CFftWindowDlg::ApplyWindow);
    connect(rolloff_, &QSlider::sliderReleased, this, &CFftWindowDlg::ApplyWindow);
    connect(percent_, &QLineEdit::textEdited, this, &CFftWindowDlg::OnPercentEdited);
    connect(percent_, &QLineEdit::editingFinished, this, [this] {
        if (!TakePercent()) percent_->setText(QString::number(model_.rolloffPercent));
    });
}

void CFftWindowDlg::OnSetActive()
{
    if (!sheet_.Model().CropAoi()) {
        sheet_.Cancel();
        return;
    }
    const CImage& aoi = sheet_.Model().Aoi();
    model_.Picture().SetImageSize(aoi.width, aoi.height);
    ApplyWindow();
}

bool CFftWindowDlg::validatePage()
{
    if (model_.RolloffEnabled() && !TakePercent()) {
        percent_->setFocus();
        return false;
    }
    if (sheet_.Model().Transform()) return true;
    sheet_.Cancel();
    return false;
}

void CFftWindowDlg::OnChoice(int choice)
{
    model_.choice = choice;
    EnableControls();
    ApplyWindow();
}

void CFftWindowDlg::OnSliderMoved(QSlider* slider, QLabel* label, int& position)
{
    position = slider->value();
    label->setText(QString::fromStdString(FftWindowModel::SliderLabel(position)));
    // Keys and clicks beside the handle end at once; a drag ends on release.
    if (!slider->isSliderDown()) ApplyWindow();
}

void CFftWindowDlg::OnPercentEdited()
{
    // Half-typed text is judged when editing ends; a valid percent applies now.
    if (model_.TakePercent(percent_->text().toStdString()).ok) ApplyWindow();
}

bool CFftWindowDlg::TakePercent()
{
    const Exchanged<int> typed = model_.TakePercent(percent_->text().toStdString());
    if (!typed.ok) platform::error(typed.message);
    return typed.ok;
}

void CFftWindowDlg::EnableControls()
{
    for (QWidget* w : std::initializer_list<QWidget*>{cosine_, cosineLabel_}) w->setEnabled(model_.CosineEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{rolloff_, rolloffLabel_, percent_, percentSign_})
        w->setEnabled(model_.RolloffEnabled());
}

void CFftWindowDlg::ApplyWindow()
{
    FftSheetModel& sheet = sheet_.Model();
    sheet.ApplyWindow(model_.Arguments());
    CDeviceBitmap bitmap;
    if (!ShowPicture(model_.Picture(), sheet.Spectrum(), bitmap, picture_->DisplayBits(), kFftPictureFailed)) {
        sheet_.Cancel();
        return;
    }
    picture_->SetPicture(bitmap, model_.Picture().DisplayWidth(), model_.Picture().DisplayHeight());
}
