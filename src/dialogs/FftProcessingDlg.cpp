// The processing page: filter choice, ellipse, marks, Apply Filter and Undo.
#include "dialogs/FftProcessingDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QVBoxLayout>

#include "dialogs/FitScrollArea.h"
#include "dialogs/FftPicture.h"
#include "dialogs/FftPageHost.h"
#include "forms/FftSheetModel.h"
#include "frequency/SpectrumContrast.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

const QColor kPaleYellow(255, 255, 150);
const char* const kStretchSetting = "Frequency/StretchContrast";

QLabel* Text(const char* text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

}  // namespace

CFftProcessingDlg::CFftProcessingDlg(CFftPageHost& sheet)
    : sheet_(sheet),
      filters_(new QButtonGroup(this)),
      size_(new QSlider(Qt::Horizontal)),
      apply_(new QPushButton("&Apply Filter")),
      undo_(new QPushButton("&Undo")),
      stretch_(new QCheckBox("Stretch contrast")),
      spectrum_(new CFftPicture),
      result_(new CFftPicture)
{
    spectrum_->SetBox(model_.Spectrum());
    result_->SetBox(model_.Result());
    spectrum_->SetOverlay([this](QPainter& painter) { PaintMarks(painter); });
    spectrum_->SetGestures(
        [this](QPoint at) {
            if (model_.BeginDrag({at.x(), at.y()})) spectrum_->update();
        },
        [this](QPoint at) {
            model_.DragTo({at.x(), at.y()});
            spectrum_->update();
        },
        [this](QPoint at) {
            const CImage& image = sheet_.Model().Spectrum();
            if (auto ellipse = model_.EndDrag({at.x(), at.y()}, image.width, image.height))
                sheet_.Model().SetEllipse(*ellipse);
            spectrum_->update();
        });
    size_->setRange(0, 100);
    size_->setValue(model_.sliderPosition);
    for (QPushButton* button : {apply_, undo_}) button->setAutoDefault(false);

    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(model_.Result().Left() - model_.Spectrum().MaxWidth());
    pictures->addWidget(spectrum_, 0, Qt::AlignTop);
    pictures->addWidget(result_, 0, Qt::AlignTop);
    pictures->addStretch(1);

    stretch_->setChecked(QSettings().value(kStretchSetting, false).toBool());
    connect(stretch_, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(kStretchSetting, on);
        if (!ShowPictures()) sheet_.Cancel();
    });

    auto* controls = new QGridLayout;
    controls->addWidget(Text(kFftProcessingIntro), 0, 0, 1, 4);
    controls->addWidget(Text(kFftProcessingSelect), 1, 0, 1, 4);
    for (int type = 0; type < static_cast<int>(kFftFilterNames.size()); ++type) {
        auto* radio = new QRadioButton(kFftFilterNames[type]);
        filters_->addButton(radio, type);
        controls->addWidget(radio, 2, type);
    }
    controls->addWidget(size_, 3, 0, 1, 3);
    controls->addWidget(Text(kFftProcessingApply), 4, 0, 1, 4);
    controls->setColumnStretch(3, 1);

    // Apply Filter and Undo stay below the scrolled body, in sight on any
    // screen, as the wizard's own buttons do.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_);
    buttons->addWidget(undo_);
    buttons->addStretch(1);
    const int buttonsHeight = apply_->sizeHint().height() + 12;
    auto* body = new QWidget;
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(new CFitScrollArea(body, kWizardReserve + QSize(0, buttonsHeight)));
    page->addLayout(buttons);
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(pictures);
    layout->addWidget(stretch_);
    layout->addLayout(controls);
    layout->addStretch(1);
    // The buttons line up with the controls above them.
    buttons->setContentsMargins(layout->contentsMargins().left(), 0, layout->contentsMargins().right(), 0);

    filters_->button(model_.filterType)->setChecked(true);
    connect(filters_, &QButtonGroup::idClicked, this, &CFftProcessingDlg::OnFilter);
    connect(size_, &QSlider::valueChanged, this, [this](int position) {
        model_.sliderPosition = position;
        // Keys and clicks beside the handle end at once; a drag ends on release.
        if (!size_->isSliderDown()) SliderEllipse();
    });
    connect(size_, &QSlider::sliderReleased, this, &CFftProcessingDlg::SliderEllipse);
    connect(apply_, &QPushButton::clicked, this, &CFftProcessingDlg::OnApply);
    connect(undo_, &QPushButton::clicked, this, &CFftProcessingDlg::OnUndo);
}

void CFftProcessingDlg::OnSetActive()
{
    FftSheetModel& sheet = sheet_.Model();
    model_.Spectrum().SetImageSize(sheet.Spectrum().width, sheet.Spectrum().height);
    model_.Result().SetImageSize(sheet.Result().width, sheet.Result().height);
    {
        const QSignalBlocker block(size_);
        size_->setValue(100);
    }
    model_.sliderPosition = 100;
    size_->setEnabled(model_.SliderEnabled());
    SliderEllipse();
    if (!ShowPictures()) sheet_.Cancel();
}

void CFftProcessingDlg::OnFilter(int type)
{
    model_.filterType = type;
    size_->setEnabled(model_.SliderEnabled());
    if (model_.SliderEnabled()) SliderEllipse();
    else spectrum_->update();
}

void CFftProcessingDlg::SliderEllipse()
{
    if (!model_.SliderEnabled()) return;
    CImage& spectrum = sheet_.Model().Spectrum();
    sheet_.Model().SetEllipse(FilterEllipse::FromSlider(spectrum.width, spectrum.height, model_.sliderPosition));
    spectrum_->update();
}

void CFftProcessingDlg::OnApply() { AfterFiltering(sheet_.Model().ApplyFilter(model_.DeletesOutside())); }

void CFftProcessingDlg::OnUndo() { AfterFiltering(sheet_.Model().Undo()); }

void CFftProcessingDlg::AfterFiltering(bool ok)
{
    if (!ShowPictures() || !ok) sheet_.Cancel();
}

bool CFftProcessingDlg::ShowPictures()
{
    FftSheetModel& sheet = sheet_.Model();
    const std::pair<PreviewPicModel*, CFftPicture*> boxes[] = {{&model_.Spectrum(), spectrum_},
                                                               {&model_.Result(), result_}};
    CImage stretched;
    if (stretch_->isChecked()) {
        platform::WaitCursor wait;
        if (!StretchedSpectrum(sheet.Spectrum(), static_cast<float>(model_.Spectrum().Scale()), stretched)) {
            platform::error(platform::Format(kFftProcessingPictureFailed, stretched.errorMessage.c_str()));
            return false;
        }
    }
    CImage* images[] = {stretch_->isChecked() ? &stretched : &sheet.Spectrum(), &sheet.Result()};
    for (int i = 0; i < 2; ++i) {
        CDeviceBitmap bitmap;
        PreviewPicModel& picture = *boxes[i].first;
        if (!ShowPicture(picture, *images[i], bitmap, boxes[i].second->DisplayBits(), kFftProcessingPictureFailed))
            return false;
        boxes[i].second->SetPicture(bitmap, picture.DisplayWidth(), picture.DisplayHeight());
    }
    return true;
}

void CFftProcessingDlg::PaintMarks(QPainter& painter) const
{
    const FilterEllipse marked = sheet_.Model().Ellipse();
    const FilterEllipse ellipse = model_.ToPicture(marked);
    painter.setPen(kPaleYellow);
    const int width = model_.Spectrum().DisplayWidth(), height = model_.Spectrum().DisplayHeight();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (model_.Marked(marked, x, y)) painter.drawPoint(x, y);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ellipse.left, ellipse.top, ellipse.right - ellipse.left, ellipse.bottom - ellipse.top);
    if (const auto band = model_.RubberBand()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawEllipse(band->left, band->top, band->right - band->left, band->bottom - band->top);
    }
}
