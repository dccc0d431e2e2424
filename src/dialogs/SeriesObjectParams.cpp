// Find Objects Parameters page: metric boxes, the colour button and the
// results file.
#include "dialogs/SeriesObjectParams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/SeriesPropSheet.h"

namespace {

// A push button painted as a rectangle of the colour, inset 3 pixels from
// its top-left and 4 from its bottom-right.
class ColorButton : public QPushButton {
public:
    ColorButton(const CColorVal& color, QWidget* parent) : QPushButton(parent), color_(color)
    {
        setFixedSize(40, 24);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPushButton::paintEvent(event);
        QPainter painter(this);
        painter.fillRect(rect().adjusted(3, 3, -4, -4), QColor(color_.red, color_.green, color_.blue));
    }

private:
    const CColorVal& color_;
};

}  // namespace

CSeriesObjectParams::CSeriesObjectParams(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::ObjectParams), fileName_(nullptr)
{
    auto* boxes = new QGridLayout;
    for (int i = 0; i < kMetricBoxCount; ++i) {
        const MetricBox& box = MetricBoxes()[i];
        auto* check = new QCheckBox(box.label, this);
        check->setChecked(fields.metrics[i]);
        connect(check, &QCheckBox::toggled, this, [this, i](bool on) { fields.metrics[i] = on; });
        Register(box.seriesControl, check);
        boxes->addWidget(check, i % 6, i / 6);
    }

    auto* color = new ColorButton(fields.outline, this);
    Register(SeriesObjectFields::kColor, color);
    connect(color, &QPushButton::clicked, this, &CSeriesObjectParams::OnColor);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel("Outline color", this));
    colorRow->addWidget(color);
    colorRow->addStretch();

    fileName_ = AddEdit(SeriesObjectFields::kFileName, fields.fileName);
    fileName_->setMaximumWidth(QWIDGETSIZE_MAX);
    auto* browse = new QPushButton("B&rowse...", this);
    Register(SeriesObjectFields::kBrowse, browse);
    connect(browse, &QPushButton::clicked, this, &CSeriesObjectParams::OnBrowse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel("Output filename", this));
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Choose the metrics to include (centroid is always written):", this));
    layout->addLayout(boxes);
    layout->addLayout(colorRow);
    layout->addLayout(fileRow);
    layout->addStretch();
}

bool CSeriesObjectParams::OnWizardNext() { return Accept(fields.Next(Settings().params)); }

void CSeriesObjectParams::OnColor()
{
    const CColorVal& c = fields.outline;
    const std::optional<QColor> chosen = Sheet().choosers.color(this, QColor(c.red, c.green, c.blue));
    if (!chosen) return;
    fields.outline = CColorVal(chosen->red(), chosen->green(), chosen->blue());
    Control(SeriesObjectFields::kColor)->update();
}

void CSeriesObjectParams::OnBrowse()
{
    const QString chosen = Sheet().choosers.dataFile(this);
    if (!chosen.isEmpty()) fileName_->setText(chosen);
}
