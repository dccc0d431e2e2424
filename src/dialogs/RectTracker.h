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
};
