// The tracker layer: painting, grabbing and the settle after a drag.
#include "dialogs/RectTracker.h"

#include <QMouseEvent>
#include <QPainter>

CRectTracker::CRectTracker(QWidget* parent) : QWidget(parent)
{
    setObjectName("rectTracker");
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CRectTracker::SetRect(const AoiRect& rect)
{
    rect_ = rect;
    update();
    if (changed) changed();
}

void CRectTracker::SetOrigin(QPoint origin)
{
    origin_ = origin;
    update();
}

void CRectTracker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(origin_);
    const AoiRect& r = rect_;
    // The tracker's own dotted frame and its handles, black on white so that
    // they show on dark and light images alike.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
    painter.setPen(QPen(Qt::black, 1));
    for (int h = 0; h < kTrackerHandleCount; ++h) {
        const AoiRect box = TrackerHandle(r, static_cast<TrackerHit>(h));
        painter.fillRect(box.left, box.top, box.right - box.left, box.bottom - box.top, Qt::white);
        painter.drawRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
    }
    // The AOI's dotted red outline, one pixel outside on the left and top.
    painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
    const QPoint outline[] = {{r.left - 1, r.top - 1}, {r.right, r.top - 1}, {r.right, r.bottom},
                              {r.left - 1, r.bottom}, {r.left - 1, r.top - 1}};
    painter.drawPolyline(outline, 5);
}

void CRectTracker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint() - origin_;
    grabbed_ = HitTracker(rect_, at.x(), at.y());
    before_ = rect_;
    pressedAt_ = at;
}

void CRectTracker::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - origin_;
    if (grabbed_) {
        const QPoint by = at - pressedAt_;
        SetRect(TrackTo(before_, *grabbed_, by.x(), by.y()));
        return;
    }
    const std::optional<TrackerHit> over = HitTracker(rect_, at.x(), at.y());
    if (over && *over != TrackerHit::Inside)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CRectTracker::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !grabbed_) return;
    const QPoint by = event->position().toPoint() - origin_ - pressedAt_;
    const AoiRect after = TrackTo(before_, *grabbed_, by.x(), by.y());
    grabbed_.reset();
    SetRect(settle ? settle(before_, after) : after);
}
