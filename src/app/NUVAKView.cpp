// Drawing, zoom, scroll sizes, the frame fit rule and the read-out.
#include "app/NUVAKView.h"

#include <QApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <cmath>

#include "app/MainFrame.h"
#include "dialogs/QtCanvas.h"
#include "document/CommandIds.h"
#include "document/NUVAKDoc.h"
#include "document/ViewMetrics.h"

CNUVAKView::CNUVAKView(CNUVAKDoc& document, CMainFrame* frame, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), frame_(frame)
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void CNUVAKView::OnZoomIn() { ZoomAbout(zoomFactor_ * 2.0f, std::nullopt); }

void CNUVAKView::OnZoom1to1() { ZoomAbout(1.0f, std::nullopt); }

void CNUVAKView::OnZoomOut() { ZoomAbout(zoomFactor_ * 0.5f, std::nullopt); }

void CNUVAKView::ZoomAbout(float zoom, std::optional<QPointF> at)
{
    const QSizeF page(horizontalScrollBar()->pageStep(), verticalScrollBar()->pageStep());
    const QPointF before = at.value_or(QPointF(page.width() / 2, page.height() / 2));
    const QPointF image = (before + QPointF(ScrollOffset())) / zoomFactor_;
    zoomFactor_ = zoom;
    OnUpdate();
    // The window may have grown or shrunk: the centre is that of the new page.
    const QPointF after = at.value_or(QPointF(horizontalScrollBar()->pageStep() / 2.0,
                                             verticalScrollBar()->pageStep() / 2.0));
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(image.x() * zoomFactor_ - after.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(image.y() * zoomFactor_ - after.y())));
    UpdateReadOut();
}

void CNUVAKView::OnFitToWindow()
{
    auto* child = qobject_cast<QMdiSubWindow*>(parentWidget());
    QSize room = maximumViewportSize();
    if (child != nullptr && frame_ != nullptr && !child->isMaximized())
        room = frame_->MdiArea()->viewport()->size() - (child->size() - size());
    zoomFactor_ = FitZoom(document_.image.width, document_.image.height, room.width(), room.height());
    OnUpdate();
}

void CNUVAKView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    // The frame's enabling rules keep the zoom within its limits.
    const int id = steps > 0 ? cmd::ZoomIn : cmd::ZoomOut;
    if (frame_ == nullptr || !frame_->IsCommandEnabled(id)) return;
    ZoomAbout(steps > 0 ? zoomFactor_ * 2.0f : zoomFactor_ * 0.5f, event->position());
    frame_->UpdateCommandUI();
}

void CNUVAKView::leaveEvent(QEvent* event)
{
    if (frame_) frame_->SetStatusText(kIdleStatusText);
    readingOut_ = false;
    QAbstractScrollArea::leaveEvent(event);
}

void CNUVAKView::UpdateReadOut()
{
    if (frame_ == nullptr) return;
    // The mouse stands still while the picture moves under it: zoom, scroll,
    // or the window moved or shrunk away from it.
    const QPoint global = QCursor::pos();
    const QPoint client = viewport()->mapFromGlobal(global);
    if (isVisible() && viewport()->rect().contains(client) && QApplication::widgetAt(global) == viewport()) {
        frame_->SetStatusText(ReadOutAt(client));
        readingOut_ = true;
    } else if (readingOut_) {
        frame_->SetStatusText(kIdleStatusText);
        readingOut_ = false;
    }
}

void CNUVAKView::OnInitialUpdate()
{
    ChangeTools(CurrentTool());
    OnUpdate();
}

void CNUVAKView::OnUpdate()
{
    SetScrollSizes();
    ResizeParentToFit();
    viewport()->update();
}

void CNUVAKView::SetScrollSizes()
{
    const ZoomedSize size = ZoomedImageSize(document_.image, zoomFactor_);
    // Decide on the scroll bars from the room without them, so that an image
    // that fits shows none; one bar takes room from the other direction.
    const QSize room = maximumViewportSize();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool needH = size.width > room.width();
    bool needV = size.height > room.height();
    needH = needH || (needV && size.width > room.width() - barWidth);
    needV = needV || (needH && size.height > room.height() - barWidth);
    const QSize page(room.width() - (needV ? barWidth : 0), room.height() - (needH ? barWidth : 0));
    horizontalScrollBar()->setRange(0, std::max(0, size.width - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, size.height - page.height()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
}

void CNUVAKView::ResizeParentToFit()
{
    auto* child = qobject_cast<QMdiSubWindow*>(parentWidget());
    // An image not made yet has no size to fit: the window keeps its first size.
    if (child == nullptr || frame_ == nullptr || child->isMaximized() || document_.image.IsEmpty()) return;
    const ZoomedSize shown = ZoomedImageSize(document_.image, zoomFactor_);
    const QSize decoration = child->size() - QWidget::size();
    const QSize fit(shown.width + decoration.width(), shown.height + decoration.height());
    const QSize client = frame_->MdiArea()->viewport()->size();
    if (shown.width < client.width() && shown.height < client.height())
        child->resize(fit);
    else
        child->resize(child->size().boundedTo(fit));
    // A window that grew past the workspace moves back into it where there is room.
    const QPoint inside(std::max(0, std::min(child->x(), client.width() - child->width())),
                        std::max(0, std::min(child->y(), client.height() - child->height())));
    if (inside != child->pos()) child->move(inside);
    SetScrollSizes();
}

void CNUVAKView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SetScrollSizes();
    UpdateReadOut();
}

void CNUVAKView::scrollContentsBy(int, int)
{
    viewport()->update();
    UpdateReadOut();
}

void CNUVAKView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    // Erase the background in the colour of the empty workspace.
    painter.fillRect(viewport()->rect(), frame_ ? frame_->MdiArea()->background() : palette().dark());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());

    CImage& image = document_.image;
    if (image.IsEmpty()) return;
    QtCanvas canvas(painter, viewport()->depth());
    image.Draw(canvas, zoomFactor_, bilinear_);

    const OutlineCorners c = AoiOutline(image, zoomFactor_);
    QPen aoiPen(aoiColor_, 1, Qt::DotLine);
    aoiPen.setCosmetic(true);
    painter.setPen(aoiPen);
    painter.drawLine(c.x1, c.y1, c.x2, c.y1);
    painter.drawLine(c.x2, c.y1, c.x2, c.y2);
    painter.drawLine(c.x2, c.y2, c.x1, c.y2);
    painter.drawLine(c.x1, c.y2, c.x1, c.y1);
    PaintHighlight(painter, viewport()->rect().translated(ScrollOffset()));
    PaintToolMarks(painter);
}

QString CNUVAKView::ReadOutAt(const QPoint& client) const
{
    int x = client.x(), y = client.y();
    if (horizontalScrollBar()->value() > 0) x += horizontalScrollBar()->value();
    if (verticalScrollBar()->value() > 0) y += verticalScrollBar()->value();
    return QString::fromStdString(PixelReadOut(document_.image, x, y, zoomFactor_));
}

void CNUVAKView::mouseMoveEvent(QMouseEvent* event)
{
    DragMove(event->position().toPoint());
    if (frame_) frame_->SetStatusText(ReadOutAt(event->position().toPoint()));
    readingOut_ = true;
    QAbstractScrollArea::mouseMoveEvent(event);
}
