// CResultsChartView: a chart that reports clicks and rubber-band drags in
// widget pixels, so that the plot window turns them into selected rows.
#pragma once

#include <QChartView>
#include <QPoint>
#include <QRect>

class QRubberBand;

class CResultsChartView : public QChartView {
    Q_OBJECT
public:
    explicit CResultsChartView(QWidget* parent = nullptr);
    // Whether a drag draws a rubber band (the scatter plot) or is a click.
    void SetBandEnabled(bool enabled) { bandEnabled_ = enabled; }

signals:
    // add: Ctrl was held.
    void clicked(QPoint at, bool add);
    void dragged(QRect area, bool add);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRubberBand* band_;
    QPoint press_;
    bool pressed_ = false;
    bool bandEnabled_ = false;
};
