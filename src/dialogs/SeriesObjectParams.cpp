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
#include "forms/FindObjectsWizard.h"

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
        boxes->addWidget(check, i % 4, i / 4);  // three columns leave room for the options
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

    // The Find Objects wizard's other choices.
    auto* options = new QGridLayout;
    QLineEdit* minArea = AddEdit(SeriesObjectFields::kMinArea, fields.minArea);
    QLineEdit* maxArea = AddEdit(SeriesObjectFields::kMaxArea, fields.maxArea);
    minAreaLabel_ = new QLabel(this);
    maxAreaLabel_ = new QLabel(this);
    options->addWidget(minAreaLabel_, 0, 0);
    options->addWidget(minArea, 0, 1);
    options->addWidget(maxAreaLabel_, 1, 0);
    options->addWidget(maxArea, 1, 1);
    options->addWidget(new QLabel(kMinMajorLabel, this), 2, 0);
    options->addWidget(AddEdit(SeriesObjectFields::kMinMajor, fields.minMajor), 2, 1);
    auto* majorNote = new QLabel(kMinMajorNote, this);
    majorNote->setWordWrap(true);
    options->addWidget(majorNote, 3, 0, 1, 2);
    int row = 4;
    for (const ObjectOptionBox& b : ObjectOptionBoxes()) {
        auto* box = new QCheckBox(b.label, this);
        box->setChecked(fields.options.*b.field);
        connect(box, &QCheckBox::toggled, this, [this, field = b.field](bool on) { fields.options.*field = on; });
        options->addWidget(box, row++, 0, 1, 2);
    }
    options->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Choose the metrics to include (centroid is always written):", this));
    layout->addLayout(boxes);
    layout->addLayout(options);
    layout->addLayout(colorRow);
    layout->addLayout(fileRow);
    layout->addStretch();
}

void CSeriesObjectParams::OnSetActive()
{
    // Areas are in the unit of the run's calibration, or of the first image's.
    const SeriesSettings& s = Settings();
    const std::string unit = AreaUnit(s.calibration.value_or(s.firstImage.calibration));
    minAreaLabel_->setText(QString::fromStdString(MinAreaLabel(unit)));
    maxAreaLabel_->setText(QString::fromStdString(MaxAreaLabel(unit)));
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
