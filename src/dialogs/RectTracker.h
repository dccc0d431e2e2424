// CRectTracker: a transparent layer over a picture on which the user moves
// and resizes a rectangle with eight handles, drawn with a dotted outline.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "forms/RectTracker.h"

class CRectTracker : public QWidget {
    Q_OBJECT
public:
    explicit CRectTracker(QWidget* parent = nullptr);

    const AoiRect& Rect() const { return rect_; }
    void SetRect(const AoiRect& rect);
    // Where the rectangle's (0, 0) lies in the widget: room for the handles
    // of a rectangle at the edge.
    QPoint Origin() const { return origin_; }
    void SetOrigin(QPoint origin);
    // Called whenever the rectangle changes, also during a drag.
    std::function<void()> changed;
    // After a drag: the rectangle to keep, given the one before and the new one.
    std::function<AoiRect(const AoiRect& before, const AoiRect& after)> settle;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    AoiRect rect_{0, 0, 0, 0};
    AoiRect before_{0, 0, 0, 0};
    std::optional<TrackerHit> grabbed_;
    QPoint pressedAt_;
    QPoint origin_;
};
