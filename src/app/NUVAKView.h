// CNUVAKView: one document's image at a zoom factor with its AOI outline,
// the pixel read-out and the sizing of its scroll area and frame; the AOI
// and measure tools and the clipboard commands.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <map>
#include <optional>
#include <vector>

#include "forms/ObjectOutline.h"

class CMainFrame;
class CNUVAKDoc;
class QPainter;

class CNUVAKView : public QAbstractScrollArea {
    Q_OBJECT
public:
    CNUVAKView(CNUVAKDoc& document, CMainFrame* frame, QWidget* parent = nullptr);

    CNUVAKDoc& GetDocument() const { return document_; }
    float ZoomFactor() const { return zoomFactor_; }

    void OnZoomIn();
    void OnZoom1to1();
    void OnZoomOut();
    // The largest zoom step at which the whole image fits in the workspace.
    void OnFitToWindow();
    // The update notification: scroll sizes, frame fit, repaint.
    void OnUpdate();
    void OnInitialUpdate();
    // The status text for a point of the viewport.
    QString ReadOutAt(const QPoint& client) const;
    // The read-out for the mouse where it stands now, or the idle text once
    // the mouse is no longer over the picture.
    void UpdateReadOut();

    // View tools: the frame's current tool, the measured points (image
    // coordinates after release) and Select All.
    void ChangeTools(int tool);
    // Shows the current tool's cursor and repaints (the measured line shows
    // only with the measure tool).
    void ShowTool();
    bool IsDragging() const { return dragging_; }
    bool IsMeasuring() const { return measuring_; }
    QPoint MeasurePoint1() const { return first_; }
    QPoint MeasurePoint2() const { return second_; }
    void OnEditSelectAll();
    // Clipboard commands.
    void OnEditCopy();
    void OnEditPaste();
    void OnEditPasteInto();

    // Objects outlined in the highlight colour over the picture (not in its
    // pixels), one set per owner (a results table); an empty set clears
    // the owner's.
    void SetHighlight(const QObject* owner, std::vector<CObjectOutline> outlines);
    // Every owner's outlines.
    std::vector<CObjectOutline> Highlighted() const;
    // Scrolls so that the image pixels of rect are in sight, centring them
    // when they were not.
    void ScrollToShow(const QRect& imageRect);

signals:
    // A left click inside the image with the select-feature tool, in image
    // pixels; add when Ctrl was held.
    void featureClicked(QPoint imagePoint, bool add);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Ctrl+wheel zooms about the point under the mouse; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The image point shown at client point `at` (the centre of the view
    // when none is given) stays where it is.
    void ZoomAbout(float zoom, std::optional<QPointF> at);
    void SetScrollSizes();
    void ResizeParentToFit();
    int CurrentTool() const;
    QPoint ScrollOffset() const;
    // The drag and measure marks: the rubber band and the live line in
    // client pixels, the measured line in image pixels.
    void PaintToolMarks(QPainter& painter);
    void PaintHighlight(QPainter& painter, const QRect& shown);
    void DragMove(const QPoint& client);
    void FinishDrag();
    void FinishMeasure();
    void Paste(bool into);

    CNUVAKDoc& document_;
    CMainFrame* frame_;
    const QColor aoiColor_{255, 0, 0};
    const QColor measureColor_{0, 255, 255};
    // Yellow over a black edge, seen on light and dark pictures alike.
    const QColor highlightColor_{255, 230, 0};
    std::map<const QObject*, std::vector<CObjectOutline>> highlights_;
    bool dragging_ = false;
    QPoint press_, current_;
    bool measuring_ = false;
    bool measured_ = false;  // a finished measurement to show
    QPoint first_, second_;
    bool captured_ = false;
    bool readingOut_ = false;  // the status bar shows this view's read-out
    float zoomFactor_ = 1.0f;
    const bool bilinear_ = false;
};
