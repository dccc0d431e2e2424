// Clicks and rubber bands on a results plot.
#include "app/ResultsChartView.h"

#include <QMouseEvent>
#include <QRubberBand>

namespace {

// A press and release closer than this is a click, not a drag.
constexpr int kClickSlack = 3;

}  // namespace

CResultsChartView::CResultsChartView(QWidget* parent)
    : QChartView(parent), band_(new QRubberBand(QRubberBand::Rectangle, this))
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
}

void CResultsChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QChartView::mousePressEvent(event);
    press_ = event->position().toPoint();
    pressed_ = true;
    band_->setGeometry(QRect(press_, QSize()));
}

void CResultsChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || !bandEnabled_) return QChartView::mouseMoveEvent(event);
    band_->setGeometry(QRect(press_, event->position().toPoint()).normalized());
    band_->show();
}

void CResultsChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) return QChartView::mouseReleaseEvent(event);
    pressed_ = false;
    band_->hide();
    const QPoint at = event->position().toPoint();
    const bool add = (event->modifiers() & Qt::ControlModifier) != 0;
    if (bandEnabled_ && (at - press_).manhattanLength() > kClickSlack)
        emit dragged(QRect(press_, at).normalized(), add);
    else
        emit clicked(at, add);
}
