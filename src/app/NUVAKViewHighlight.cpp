// The objects a results table has selected, outlined over the picture, and
// the scroll that brings the first into sight.
#include <QPainter>
#include <QPolygonF>
#include <QScrollBar>

#include "app/NUVAKView.h"

void CNUVAKView::SetHighlight(const QObject* owner, std::vector<CObjectOutline> outlines)
{
    if (outlines.empty())
        highlights_.erase(owner);
    else
        highlights_[owner] = std::move(outlines);
    viewport()->update();
}

std::vector<CObjectOutline> CNUVAKView::Highlighted() const
{
    std::vector<CObjectOutline> all;
    for (const auto& [owner, outlines] : highlights_) all.insert(all.end(), outlines.begin(), outlines.end());
    return all;
}

void CNUVAKView::ScrollToShow(const QRect& imageRect)
{
    const QRectF zoomed(imageRect.left() * zoomFactor_, imageRect.top() * zoomFactor_,
                        imageRect.width() * zoomFactor_, imageRect.height() * zoomFactor_);
    const QRectF shown(ScrollOffset(), viewport()->size());
    if (shown.contains(zoomed)) return;
    horizontalScrollBar()->setValue(static_cast<int>(zoomed.center().x() - shown.width() / 2));
    verticalScrollBar()->setValue(static_cast<int>(zoomed.center().y() - shown.height() / 2));
}

void CNUVAKView::PaintHighlight(QPainter& painter, const QRect& shown)
{
    if (highlights_.empty()) return;
    const double zoom = zoomFactor_;
    QPen edge(Qt::black, 3);
    QPen line(highlightColor_, 1);
    edge.setCosmetic(true);
    line.setCosmetic(true);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const auto& [owner, outlines] : highlights_) {
        for (const CObjectOutline& o : outlines) {
            // The box around the object's pixels, in view pixels.
            const QRectF box(o.left * zoom, o.top * zoom, (o.right - o.left + 1) * zoom,
                             (o.bottom - o.top + 1) * zoom);
            if (!box.adjusted(-2, -2, 2, 2).intersects(shown)) continue;
            for (const QPen& pen : {edge, line}) {
                painter.setPen(pen);
                if (o.boundary.empty()) {
                    painter.drawRect(box);
                    continue;
                }
                // Through the boundary pixels' centres.
                QPolygonF polygon;
                polygon.reserve(static_cast<qsizetype>(o.boundary.size()));
                for (const CBoundaryPoint& p : o.boundary) polygon << QPointF((p.x + 0.5) * zoom, (p.y + 0.5) * zoom);
                painter.drawPolygon(polygon);
            }
        }
    }
    painter.restore();
}
