// Find Objects wizard pages: texts, metric boxes, colour button, Browse and Go.
#include "dialogs/FindObjectsPages.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <numeric>

#include "dialogs/ColorButton.h"
#include "dialogs/FieldMark.h"
#include "dialogs/FitScrollArea.h"
#include "document/NUVAKDoc.h"
#include "image/ColorVal.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"
#include "series/SeriesPaths.h"

namespace {

QLabel* Paragraph(const char* text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QColor ToQColor(std::uint32_t ref)
{
    const CColorVal c = FromColorRef(ref);
    return QColor(c.red, c.green, c.blue);
}

std::uint32_t ToColorRef(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

}  // namespace

CFindObjectsIntroPage::CFindObjectsIntroPage(FindObjectsMetrics& metrics, const std::string& areaUnit,
                                             QWidget* parent)
    : QWizardPage(parent), metrics_(metrics), minArea_(new QLineEdit), maxArea_(new QLineEdit),
      minMajor_(new QLineEdit)
{
    setTitle("Find Objects");
    auto* layout = new QVBoxLayout(ScrolledBody(this, kWizardReserve));
    layout->addWidget(Paragraph("This wizard will guide you through the options for finding objects in your images."));
    layout->addWidget(Paragraph(
        "Find Objects is designed to work for multi-valued objects on a uniformly white or black background.  If the "
        "background in your images is not uniformly white or black, it will be incorrectly identified as a object."));
    layout->addWidget(Paragraph(
        "If your images do not have a uniform background, please cancel from the wizard and preprocess your images."));

    auto* options = new QGridLayout;
    options->addWidget(new QLabel(QString::fromStdString(MinAreaLabel(areaUnit))), 0, 0);
    options->addWidget(minArea_, 0, 1);
    options->addWidget(new QLabel(QString::fromStdString(MaxAreaLabel(areaUnit))), 1, 0);
    options->addWidget(maxArea_, 1, 1);
    minMajor_->setText(QString::fromStdString(metrics_.minMajorText));
    options->addWidget(new QLabel(kMinMajorLabel), 2, 0);
    options->addWidget(minMajor_, 2, 1);
    auto* majorNote = new QLabel(kMinMajorNote);
    majorNote->setWordWrap(true);
    options->addWidget(majorNote, 3, 0, 1, 2);
    int row = 4;
    for (const ObjectOptionBox& b : ObjectOptionBoxes()) {
        auto* box = new QCheckBox(b.label);
        box->setChecked(metrics_.options.*b.field);
        connect(box, &QCheckBox::toggled, this, [this, field = b.field](bool on) { metrics_.options.*field = on; });
        options->addWidget(box, row++, 0, 1, 2);
    }
    auto* mark = new CFieldMark;
    QLineEdit* const fields[] = {minArea_, maxArea_, minMajor_};
    std::string* const texts[] = {&metrics_.minAreaText, &metrics_.maxAreaText, &metrics_.minMajorText};
    for (int i = 0; i < 3; ++i)
        connect(fields[i], &QLineEdit::textChanged, this, [this, mark, text = texts[i]](const QString& t) {
            *text = t.toStdString();
            const std::optional<FieldFailure> failure = metrics_.LimitFailure();
            const std::array<QLineEdit*, 3> marked{minArea_, maxArea_, minMajor_};
            mark->Mark(failure ? marked[size_t(failure->control)] : nullptr,
                       failure ? QString::fromStdString(failure->message) : QString());
        });
    layout->addLayout(options);
    layout->addWidget(mark);
    layout->addStretch();
}

bool CFindObjectsIntroPage::validatePage() { return metrics_.TakeLimits(); }

QCheckBox* CFindObjectsIntroPage::Option(const QString& label) const
{
    for (QCheckBox* box : findChildren<QCheckBox*>())
        if (box->text() == label) return box;
    return nullptr;
}

CFindObjectsMetricsPage::CFindObjectsMetricsPage(FindObjectsMetrics& metrics, QWidget* parent)
    : QWizardPage(parent), metrics_(metrics), colorButton_(new CColorButton)
{
    setTitle("Specifying Object Metrics");
    chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    for (const MetricBox& box : MetricBoxes()) {
        auto* check = new QCheckBox(box.label);
        check->setChecked(metrics_.checked[boxes_.size()]);
        boxes_.push_back(check);
    }
    // This page lists the boxes in flag order, two columns down.
    std::vector<int> order(boxes_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [](int a, int b) { return MetricBoxes()[a].flag < MetricBoxes()[b].flag; });
    auto* grid = new QGridLayout;
    const int rows = (kMetricBoxCount + 1) / 2;
    for (int k = 0; k < kMetricBoxCount; ++k) grid->addWidget(boxes_[order[k]], k % rows, k / rows);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel("Outline color"));
    colorRow->addWidget(colorButton_);
    colorRow->addStretch();
    connect(colorButton_, &QPushButton::clicked, this, &CFindObjectsMetricsPage::OnColor);

    auto* layout = new QVBoxLayout(ScrolledBody(this, kWizardReserve));
    layout->addWidget(new QLabel("Choose the metrics to include (centroid is always written):"));
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(colorRow);
    layout->addStretch();
}

void CFindObjectsMetricsPage::initializePage() { colorButton_->SetColor(ToQColor(metrics_.outlineColor)); }

bool CFindObjectsMetricsPage::validatePage()
{
    for (size_t k = 0; k < boxes_.size(); ++k) metrics_.checked[k] = boxes_[k]->isChecked();
    metrics_.Rebuild();
    return true;
}

QCheckBox* CFindObjectsMetricsPage::Box(const QString& label) const
{
    for (QCheckBox* box : boxes_)
        if (box->text() == label) return box;
    return nullptr;
}

void CFindObjectsMetricsPage::OnColor()
{
    const std::optional<QColor> chosen = chooseColor(ToQColor(metrics_.outlineColor));
    if (chosen) metrics_.outlineColor = ToColorRef(*chosen);
    colorButton_->SetColor(ToQColor(metrics_.outlineColor));
}

CFindObjectsOutputFilePage::CFindObjectsOutputFilePage(CNUVAKDoc* document, const FindObjectsMetrics& metrics,
                                                       QWidget* parent)
    : QWizardPage(parent),
      document_(document),
      metrics_(metrics),
      fileEdit_(new QLineEdit),
      browse_(new QPushButton("B&rowse...")),
      go_(new QPushButton("&Go")),
      resultsBox_(new QTextEdit)
{
    setTitle("Specifying Output File");
    chooseFile = [this](const FileChoice& choice) { return ChooseFile(this, choice); };
    resultsBox_->setReadOnly(true);
    resultsBox_->setLineWrapMode(QTextEdit::NoWrap);
    resultsBox_->setTabStopDistance(resultsBox_->fontMetrics().horizontalAdvance(QString(7, '0')));
    connect(browse_, &QPushButton::clicked, this, &CFindObjectsOutputFilePage::OnBrowse);
    connect(go_, &QPushButton::clicked, this, &CFindObjectsOutputFilePage::OnGo);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(browse_);
    fileRow->addWidget(go_);
    auto* layout = new QVBoxLayout(ScrolledBody(this, kWizardReserve));
    layout->addWidget(new QLabel("Output filename"));
    layout->addLayout(fileRow);
    layout->addWidget(resultsBox_, 1);
}

void CFindObjectsOutputFilePage::initializePage()
{
    results_.clear();
    ShowResults();
}

bool CFindObjectsOutputFilePage::validatePage()
{
    return measured_ || platform::askYesNo(
                            "Nothing has been measured: Go finds the objects and writes the results file.\n"
                            "Finish without measuring?");
}

void CFindObjectsOutputFilePage::OnBrowse()
{
    const QString path = chooseFile(FileChoice{"Data files (*.dat)", "dat", true});
    if (!path.isEmpty()) fileEdit_->setText(path);
}

void CFindObjectsOutputFilePage::OnGo()
{
    std::string results;
    const auto redraw = [this] { document_->UpdateAllViews(); };
    // A bare name goes beside the image (the home folder for an unsaved one), as a ".dat" file.
    const std::string imagePath = document_ ? document_->GetPathName() : std::string();
    const std::string folder = imagePath.empty() ? QDir::homePath().toStdString() : FolderOf(imagePath);
    const std::string path = TypedFileName(fileEdit_->text().toStdString(), folder, ".dat");
    if (!path.empty()) fileEdit_->setText(QString::fromStdString(path));
    const std::optional<AoiBox> aoi = document_ ? StepAoi(document_->image) : std::nullopt;
    platform::AnswerRecorder answers;
    switch (RunGo(document_ ? &document_->image : nullptr, path, metrics_, redraw, results)) {
    case GoResult::NoFile: fileEdit_->setFocus(Qt::OtherFocusReason); return;
    case GoResult::NoDocument: return;
    case GoResult::Failed: searched_ = true; return;
    case GoResult::Found: searched_ = true; break;
    }
    document_->RecordRun(HistoryEntry{{FindObjectsStep(path, metrics_, document_->image.calibration)}, {}}, aoi,
                         answers.Answers());
    measured_ = true;
    results_ = std::move(results);
    ShowResults();
    if (resultsWritten) resultsWritten(path);
}

void CFindObjectsOutputFilePage::ShowResults()
{
    // The box keeps its own line ends.
    resultsBox_->setPlainText(QString::fromStdString(results_).replace("\r\n", "\n"));
}
