// CNUVAKView: one document's image at a zoom factor with its AOI outline,
// the pixel read-out and the sizing of its scroll area and frame.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>

class CMainFrame;
class CNUVAKDoc;

class CNUVAKView : public QAbstractScrollArea {
    Q_OBJECT
public:
    CNUVAKView(CNUVAKDoc& document, CMainFrame* frame, QWidget* parent = nullptr);

    CNUVAKDoc& GetDocument() const { return document_; }
    float ZoomFactor() const { return zoomFactor_; }

    void OnZoomIn();
    void OnZoom1to1();
    void OnZoomOut();
    // The update notification: scroll sizes, frame fit, repaint.
    void OnUpdate();
    void OnInitialUpdate();
    // The status text for a point of the viewport.
    QString ReadOutAt(const QPoint& client) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void SetScrollSizes();
    void ResizeParentToFit();

    CNUVAKDoc& document_;
    CMainFrame* frame_;
    const QColor aoiColor_{255, 0, 0};
    float zoomFactor_ = 1.0f;
    const bool bilinear_ = false;
};
