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

#include "dialogs/FileChooser.h"
#include "dialogs/HelpWindow.h"
#include "document/ActiveDocumentSource.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"
#include "series/SeriesPaths.h"

namespace {

// The white box covers the graph and its last column and row.
const QRect kGraphBox(kProfileGraphLeft, kProfileGraphTop, kProfileGraphWidth + 1, kProfileGraphHeight + 1);

const QColor kChannelColors[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};

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
    setFixedSize(480, 356);
    setMouseTracking(true);
    high_ = AddLabel(this, "255", QRect(2, kProfileGraphTop - 6, 28, 16), Qt::AlignRight | Qt::AlignTop);
    low_ = AddLabel(this, "0", QRect(2, kProfileGraphTop + kProfileGraphHeight - 10, 28, 16),
                    Qt::AlignRight | Qt::AlignTop);
    readOut_ = AddLabel(this, "Intensity:", QRect(kProfileGraphLeft, 204, 250, 18));
    measurementLabel_ = AddLabel(this, "Measurement info goes here", QRect(kProfileGraphLeft, 228, 260, 80));
    const char* const names[3] = {"Red", "Green", "Blue"};
    for (int k = 0; k < 3; ++k) {
        boxes_[k] = new QCheckBox(names[k], this);
        boxes_[k]->setGeometry(310, 20 + 24 * k, 150, 22);
        connect(boxes_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            model_.checked[k] = on;
            ShowRange();
        });
    }
    statisticsLabel_ = AddLabel(this, "Statistics go here", QRect(310, 96, 160, 170));
    fit_ = new QCheckBox("&Fit scale to samples", this);
    fit_->setGeometry(kProfileGraphLeft, 318, 160, 24);
    connect(fit_, &QCheckBox::toggled, this, [this](bool on) {
        model_.fitToSamples = on;
        ShowRange();
    });
    auto* copy = new QPushButton("&Copy", this);
    copy->setGeometry(200, 316, 84, 28);
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &CProfileDlg::OnCopy);
    auto* save = new QPushButton("&Save...", this);
    save->setGeometry(290, 316, 84, 28);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CProfileDlg::OnSave);
    askCsvPath = [this] {
        return ChooseFile(this, FileChoice{"CSV files (*.csv)", "csv", true, "Save Profile", "profile.csv"});
    };
    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(380, 316, 84, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
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

void CProfileDlg::paintEvent(QPaintEvent*)
{
    if (failed_) return;
    if (documents_ == nullptr || documents_->ActiveDocument() == nullptr) {
        // No message box inside a paint: it follows at once from the event loop.
        QTimer::singleShot(0, this, [this] { ActiveDocument(ProfileHandler::Painting); });
        return;
    }
    QPainter painter(this);
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

void CProfileDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (ActiveDocument(ProfileHandler::MouseMove) == nullptr) return;
    const QPoint at = event->position().toPoint();
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
    update(kGraphBox);
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
