// The histogram dialog's window: bars, ramp, read-out, the slide by
// dragging with its marker lines, and the buttons.
#include "dialogs/HistogramDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "dialogs/HelpWindow.h"
#include "document/ActiveDocumentSource.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"
#include "processing/HistogramCombos.h"

namespace {

constexpr int kGraphBottom = kHistogramGraphTop + kHistogramGraphHeight;
constexpr int kRampTop = kGraphBottom + 10;
constexpr int kRampHeight = 10;
const QRect kGraph(kHistogramGraphLeft, kHistogramGraphTop, kHistogramGraphWidth, kHistogramGraphHeight);
// Bars reach down to the graph's bottom line; a channel change repaints the ramp below too.
const QRect kGraphAndRamp = kGraph.adjusted(0, 0, 0, 20 + 1);

QColor ToQColor(const CColorVal& c) { return QColor(c.red, c.green, c.blue); }

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& at,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
    label->setAlignment(align);
    return label;
}

QPushButton* AddButton(QWidget* parent, const QString& text, const QRect& at)
{
    auto* button = new QPushButton(text, parent);
    button->setGeometry(at);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CHistogramDlg::CHistogramDlg(const CActiveDocumentSource* documents, QWidget* parent)
    : QDialog(parent), documents_(documents)
{
    setWindowTitle("Histogram");
    CHelpWindow::AddF1(this, "histogram");
    setFixedSize(420, 270);
    setMouseTracking(true);
    const int right = kHistogramGraphLeft + kHistogramGraphWidth;
    AddLabel(this, "0", QRect(kHistogramGraphLeft, kRampTop + kRampHeight + 2, 40, 16));
    AddLabel(this, "255", QRect(right - 40, kRampTop + kRampHeight + 2, 40, 16), Qt::AlignRight | Qt::AlignVCenter);
    AddLabel(this, "Click and drag to slide histogram", QRect(kHistogramGraphLeft, 238, 256, 18));
    AddLabel(this, "Channel:", QRect(285, 14, 120, 18));
    channel_ = new QComboBox(this);
    channel_->setGeometry(285, 34, 120, 26);
    intensity_ = AddLabel(this, "Intensity:", QRect(285, 70, 130, 18));
    count_ = AddLabel(this, "Pixel Count:", QRect(285, 90, 130, 18));
    connect(AddButton(this, "&Stretch ", QRect(285, 122, 120, 28)), &QPushButton::clicked, this,
            &CHistogramDlg::OnHstStretch);
    connect(AddButton(this, "&Equalize", QRect(285, 154, 120, 28)), &QPushButton::clicked, this,
            &CHistogramDlg::OnHstEqualize);
    connect(AddButton(this, "&Reset", QRect(285, 186, 120, 28)), &QPushButton::clicked, this, &CHistogramDlg::OnReset);
    QPushButton* ok = AddButton(this, "OK", QRect(285, 230, 58, 28));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton(this, "Cancel", QRect(347, 230, 58, 28)), &QPushButton::clicked, this, &CHistogramDlg::reject);
    connect(channel_, &QComboBox::activated, this, [this] {
        if (ActiveDocument(HistogramHandler::ChannelChange)) update(kGraphAndRamp);
    });
}

void CHistogramDlg::OnHistogram(CNUVAKDoc& document, const CActiveDocumentSource* documents, QWidget* parent)
{
    // The dialog changes the image itself; the pipeline's operation has nothing left to do.
    std::vector<OperationStep> applied;
    const auto dialog = [documents, parent, &applied] {
        CHistogramDlg histogram(documents, parent);
        const bool accepted = histogram.exec() == QDialog::Accepted;
        applied = histogram.Applied();
        return accepted;
    };
    document.RunPipeline([](CImage&) { return 0; }, false, false, dialog,
                         [&applied] { return HistoryEntry{applied, {}}; });
}

bool CHistogramDlg::OnInitDialog()
{
    CNUVAKDoc* document = ActiveDocument(HistogramHandler::Opening);
    if (document == nullptr) return false;
    saved_ = document->image;
    channel_->clear();
    for (const std::string& entry : HistogramChannelEntries(document->image.format))
        channel_->addItem(QString::fromStdString(entry));
    channel_->setCurrentIndex(0);
    document->image.ComputeHistograms();
    return true;
}

int CHistogramDlg::exec()
{
    if (!OnInitDialog()) return QDialog::Rejected;
    return QDialog::exec();
}

QString CHistogramDlg::IntensityText() const { return intensity_->text(); }
QString CHistogramDlg::CountText() const { return count_->text(); }

QPushButton* CHistogramDlg::Button(const QString& text) const
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

int CHistogramDlg::Channel() const { return std::max(0, channel_->currentIndex()); }

CNUVAKDoc* CHistogramDlg::FindDocument() const
{
    return documents_ ? documents_->ActiveDocument() : nullptr;
}

CNUVAKDoc* CHistogramDlg::ActiveDocument(HistogramHandler handler)
{
    if (failed_) return nullptr;
    if (CNUVAKDoc* document = FindDocument()) return document;
    failed_ = true;
    platform::error(HistogramNoDocumentText(handler));
    QDialog::reject();
    return nullptr;
}

void CHistogramDlg::RestoreSaved(CNUVAKDoc& document)
{
    std::vector<CFoundObject> objects = std::move(document.image.objects);
    try {
        document.image = saved_;
    } catch (const platform::UserAbort&) {
        // Out of memory, already reported: the image stays as it is.
    }
    document.image.objects = std::move(objects);
    document.UpdateAllViews();
}

void CHistogramDlg::OnHstStretch() { Apply(HistogramHandler::Stretch, StretchHistogram, "Stretch"); }

void CHistogramDlg::OnHstEqualize() { Apply(HistogramHandler::Equalize, EqualizeHistogram, "Equalize"); }

void CHistogramDlg::AddStep(const char* name, int channel, int offset)
{
    OperationStep step;
    step.op = FindOperation(name);
    // A grayscale image's levels are one channel: its step names none, so
    // that a replay on a colour image takes the default rather than a choice
    // never made.
    step.params.channel = saved_.format == FORMAT_GRAYSCALE ? -1 : channel;
    step.params.offset = offset;
    applied_.push_back(step);
}

void CHistogramDlg::Apply(HistogramHandler handler, void (*operation)(CImage&, int), const char* name)
{
    CNUVAKDoc* document = ActiveDocument(handler);
    if (document == nullptr) return;
    operation(document->image, Channel());
    AddStep(name, Channel());
    document->UpdateAllViews();
    update(kGraphAndRamp);
}

void CHistogramDlg::OnReset()
{
    CNUVAKDoc* document = ActiveDocument(HistogramHandler::Reset);
    if (document == nullptr) return;
    RestoreSaved(*document);
    applied_.clear();
    document->image.ComputeHistograms();
    repaint();
}

void CHistogramDlg::reject()
{
    CNUVAKDoc* document = ActiveDocument(HistogramHandler::Cancel);
    if (document == nullptr) return;
    RestoreSaved(*document);
    QDialog::reject();
}

void CHistogramDlg::paintEvent(QPaintEvent*)
{
    if (failed_) return;
    CNUVAKDoc* document = FindDocument();
    if (document == nullptr) {
        // No message box inside a paint: it follows at once from the event loop.
        QTimer::singleShot(0, this, [this] { ActiveDocument(HistogramHandler::Painting); });
        return;
    }
    CImage& image = document->image;
    const int channel = Channel();
    const std::vector<int> tops = HistogramBarTops(image, channel);
    QPainter painter(this);
    painter.fillRect(kGraph, Qt::white);
    painter.setPen(QPen(ToQColor(HistogramPenColor(image.format, channel)), 1));
    // Each bar runs from the bottom line up to, not including, its top.
    for (int i = 0; i < 256; ++i)
        if (tops[i] < kGraphBottom)
            painter.drawLine(kHistogramGraphLeft + i, kGraphBottom, kHistogramGraphLeft + i, tops[i] + 1);
    for (int i = 0; i < 256; ++i)
        painter.fillRect(kHistogramGraphLeft + i, kRampTop, 1, kRampHeight,
                         ToQColor(HistogramRampColor(image.format, channel, i)));
    if (drag_.Dragging() && markersShown_) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        for (int x : {LowMarker(), HighMarker()}) painter.drawLine(x, kHistogramGraphTop, x, kGraphBottom);
    }
}

void CHistogramDlg::mouseMoveEvent(QMouseEvent* event)
{
    CNUVAKDoc* document = ActiveDocument(HistogramHandler::MouseMove);
    if (document == nullptr) return;
    const QPoint at = event->position().toPoint();
    const int channel = Channel();
    const HistogramReadout readout = drag_.Move(document->image, channel, at.x(), at.y());
    intensity_->setText(QString::fromStdString(readout.intensity));
    count_->setText(QString::fromStdString(readout.count));
    const bool inGraph = at.x() >= kHistogramGraphLeft && at.x() < kHistogramGraphLeft + kHistogramGraphWidth &&
                         at.y() > kHistogramGraphTop && at.y() < kGraphBottom;
    if (!inGraph) {
        if (!drag_.Dragging()) unsetCursor();
        return;
    }
    if (!drag_.Dragging()) {
        setCursor(Qt::CrossCursor);
        return;
    }
    setCursor(Qt::SizeHorCursor);
    if (drag_.MarkersFit(at.x())) {
        markerX_ = at.x();
        markersShown_ = true;
        update(kGraph.adjusted(0, 0, 1, 1));
    }
}

void CHistogramDlg::mousePressEvent(QMouseEvent* event)
{
    CNUVAKDoc* document = FindDocument();
    const QPoint at = event->position().toPoint();
    if (document == nullptr || event->button() != Qt::LeftButton ||
        !drag_.Press(document->image, Channel(), at.x(), at.y())) {
        QDialog::mousePressEvent(event);
        return;
    }
    captured_ = true;
    markersShown_ = false;
    markerX_ = at.x();
    setCursor(Qt::SizeHorCursor);
}

void CHistogramDlg::mouseReleaseEvent(QMouseEvent* event)
{
    CNUVAKDoc* document = FindDocument();
    if (document == nullptr || event->button() != Qt::LeftButton || !captured_) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    captured_ = false;
    markersShown_ = false;
    const int shift = drag_.Release(document->image, Channel(), event->position().toPoint().x());
    if (shift != 0) AddStep("Slide", Channel(), shift);
    update(kGraphAndRamp);
    document->UpdateAllViews();
}
