// The profile dialog's window: layout, curves, check boxes and read-out.
#include "dialogs/ProfileDlg.h"

#include <QCheckBox>
#include <QClipboard>
#include <QSaveFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "dialogs/FileChooser.h"
#include "dialogs/FitScrollArea.h"
#include "dialogs/HelpWindow.h"
#include "document/ActiveDocumentSource.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"
#include "series/SeriesPaths.h"

namespace {

// Where the row of Fit, Copy, Save and OK begins.
constexpr int kProfileBarTop = 312;

// The white box covers the graph and its last column and row.
const QRect kGraphBox(kProfileGraphLeft, kProfileGraphTop, kProfileGraphWidth + 1, kProfileGraphHeight + 1);

const QColor kChannelColors[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};

// The dialog's upper part: graph, scale, read-out, boxes and statistics,
// drawn and hovered through the dialog, scrolled when the screen is small.
class ProfileCanvas : public QWidget {
public:
    ProfileCanvas(std::function<void(QPainter&)> paint, std::function<void(QPoint)> hover)
        : paint_(std::move(paint)), hover_(std::move(hover))
    {
        setFixedSize(480, kProfileBarTop);
        setMouseTracking(true);
    }

    // What a scroll area sizes itself by: the part's fixed size.
    QSize sizeHint() const override { return minimumSize(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter);
    }
    void mouseMoveEvent(QMouseEvent* event) override { hover_(event->position().toPoint()); }

private:
    std::function<void(QPainter&)> paint_;
    std::function<void(QPoint)> hover_;
};

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& at,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
    label->setAlignment(align);
    return label;
}

}  // namespace

CProfileDlg::CProfileDlg(const CActiveDocumentSource* documents, ImagePoint p1, ImagePoint p2, double angle, const std::string& measurement,
                         QWidget* parent)
    : QDialog(parent), documents_(documents), p1_(p1), p2_(p2), angle_(angle), measurement_(measurement)
{
    setWindowTitle("Profile");
    CHelpWindow::AddF1(this, "profile");
    setMouseTracking(true);
    canvas_ = new ProfileCanvas([this](QPainter& painter) { PaintGraph(painter); },
                                [this](QPoint at) { Hover(at); });
    QWidget* const canvas = canvas_;
    // Fit, Copy, Save and OK below the scrolled part, in sight on any screen.
    auto* bar = new QWidget;
    bar->setFixedSize(480, 356 - kProfileBarTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new CFitScrollArea(canvas, QSize(16, 80 + bar->height())));
    layout->addWidget(bar);
    high_ = AddLabel(canvas, "255", QRect(2, kProfileGraphTop - 6, 28, 16), Qt::AlignRight | Qt::AlignTop);
    low_ = AddLabel(canvas, "0", QRect(2, kProfileGraphTop + kProfileGraphHeight - 10, 28, 16),
                    Qt::AlignRight | Qt::AlignTop);
    readOut_ = AddLabel(canvas, "Intensity:", QRect(kProfileGraphLeft, 204, 250, 18));
    measurementLabel_ = AddLabel(canvas, "Measurement info goes here", QRect(kProfileGraphLeft, 228, 260, 80));
    const char* const names[3] = {"Red", "Green", "Blue"};
    for (int k = 0; k < 3; ++k) {
        boxes_[k] = new QCheckBox(names[k], canvas);
        boxes_[k]->setGeometry(310, 20 + 24 * k, 150, 22);
        connect(boxes_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            model_.checked[k] = on;
            ShowRange();
        });
    }
    statisticsLabel_ = AddLabel(canvas, "Statistics go here", QRect(310, 96, 160, 170));
    fit_ = new QCheckBox("&Fit scale to samples", bar);
    fit_->setGeometry(kProfileGraphLeft, 318 - kProfileBarTop, 160, 24);
    connect(fit_, &QCheckBox::toggled, this, [this](bool on) {
        model_.fitToSamples = on;
        ShowRange();
    });
    auto* copy = new QPushButton("&Copy", bar);
    copy->setGeometry(200, 316 - kProfileBarTop, 84, 28);
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &CProfileDlg::OnCopy);
    auto* save = new QPushButton("&Save...", bar);
    save->setGeometry(290, 316 - kProfileBarTop, 84, 28);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CProfileDlg::OnSave);
    askCsvPath = [this] {
        return ChooseFile(this, FileChoice{"CSV files (*.csv)", "csv", true, "Save Profile", "profile.csv"});
    };
    auto* ok = new QPushButton("OK", bar);
    ok->setGeometry(380, 316 - kProfileBarTop, 84, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Sized and laid out at once, so that the dialog can be drawn before it is shown.
    layout->activate();
}

bool CProfileDlg::OnInitDialog()
{
    CNUVAKDoc* document = ActiveDocument(ProfileHandler::Opening);
    if (document == nullptr) return false;
    model_.Open(document->image, p1_, p2_, angle_, measurement_);
    for (int k = 0; k < 3; ++k) {
        const QSignalBlocker quiet(boxes_[k]);
        boxes_[k]->setEnabled(model_.BoxesEnabled());
        boxes_[k]->setChecked(model_.BoxesEnabled());
    }
    measurementLabel_->setText(QString::fromStdString(model_.MeasurementText()));
    statisticsLabel_->setText(QString::fromStdString(model_.StatisticsText()));
    return true;
}

int CProfileDlg::exec()
{
    if (!OnInitDialog()) return QDialog::Rejected;
    return QDialog::exec();
}

QString CProfileDlg::MeasurementInfo() const { return measurementLabel_->text(); }
QString CProfileDlg::Statistics() const { return statisticsLabel_->text(); }
QString CProfileDlg::ReadOut() const { return readOut_->text(); }

CNUVAKDoc* CProfileDlg::ActiveDocument(ProfileHandler handler)
{
    if (failed_) return nullptr;
    if (CNUVAKDoc* document = documents_ ? documents_->ActiveDocument() : nullptr) return document;
    Fail(ProfileMissingText(handler, documents_ ? ProfileMissing::ChildWindow : ProfileMissing::MainFrame));
    return nullptr;
}

void CProfileDlg::Fail(const std::string& text)
{
    failed_ = true;
    platform::error(text);
    if (isVisible()) reject();
}

void CProfileDlg::PaintGraph(QPainter& painter)
{
    if (failed_) return;
    if (documents_ == nullptr || documents_->ActiveDocument() == nullptr) {
        // No message box inside a paint: it follows at once from the event loop.
        QTimer::singleShot(0, this, [this] { ActiveDocument(ProfileHandler::Painting); });
        return;
    }
    painter.fillRect(kGraphBox, Qt::white);
    for (int k = 0; k < 3; ++k) {
        if (!model_.CurveShown(k)) continue;
        const std::vector<ImagePoint> points = model_.Curve(k);
        // One sample is a point moved to, with nothing drawn.
        if (points.size() < 2) continue;
        QPolygon line;
        for (const ImagePoint& p : points) line << QPoint(p.x, p.y);
        painter.setPen(QPen(model_.BoxesEnabled() ? kChannelColors[k] : kChannelColors[2], 1));
        painter.drawPolyline(line);
    }
}

void CProfileDlg::mouseMoveEvent(QMouseEvent* event) { Hover(event->position().toPoint()); }

void CProfileDlg::Hover(QPoint at)
{
    if (ActiveDocument(ProfileHandler::MouseMove) == nullptr) return;
    readOut_->setText(QString::fromStdString(model_.ReadOut(at.x(), at.y())));
    if (kGraphBox.contains(at))
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CProfileDlg::ShowRange()
{
    high_->setText(QString::number(model_.RangeHigh()));
    low_->setText(QString::number(model_.RangeLow()));
    canvas_->update(kGraphBox);
}

void CProfileDlg::OnCopy()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(model_.SamplesText('\t')));
}

void CProfileDlg::OnSave()
{
    const QString typed = askCsvPath();
    if (typed.isEmpty()) return;
    const QString path = QString::fromStdString(TypedFileName(typed.toStdString(), std::string(), ".csv"));
    // Written beside the target and renamed over it: a failed save keeps the old file.
    QSaveFile file(path);
    const QByteArray text = QByteArray("index,distance,R,G,B\n") + QByteArray::fromStdString(model_.SamplesText(','));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        platform::error(QString("The profile could not be written to %1.\n%2").arg(path, file.errorString()).toStdString());
}
