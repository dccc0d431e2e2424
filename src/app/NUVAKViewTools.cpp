// The view's mouse tools: dragging an AOI, measuring a line and opening its
// profile; the tool cursors and Select All.
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/MainFrame.h"
#include "app/NUVAKView.h"
#include "app/ToolCursors.h"
#include "dialogs/ProfileDlg.h"
#include "forms/Measurement.h"
#include "forms/ViewTools.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"

namespace {

constexpr int kTick = 3;  // a tick reaches this far on each side of a measured point

bool Inside(const CImage& image, ImagePoint p)
{
    return p.x >= 0 && p.y >= 0 && p.x < image.width && p.y < image.height;
}

QPoint ToQPoint(ImagePoint p) { return {p.x, p.y}; }

}  // namespace

int CNUVAKView::CurrentTool() const { return frame_ ? frame_->CurrentTool() : TOOL_SELECT_FEATURE; }

QPoint CNUVAKView::ScrollOffset() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void CNUVAKView::ChangeTools(int tool)
{
    if (CheckTool(tool) && frame_) frame_->SetCurrentTool(tool);
    ShowTool();
}

void CNUVAKView::ShowTool()
{
    viewport()->setCursor(ToolCursor(CurrentTool()));
    viewport()->update();
}

void CNUVAKView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint client = event->position().toPoint();
    const QPoint scroll = ScrollOffset();
    const ImagePoint point = ClientToImage(client.x(), client.y(), scroll.x(), scroll.y(), zoomFactor_);
    const bool inside = Inside(document_.image, point);
    const int tool = CurrentTool();
    if (inside && tool == TOOL_SELECT_FEATURE)
        emit featureClicked(ToQPoint(point), (event->modifiers() & Qt::ControlModifier) != 0);
    if (inside && tool == TOOL_SELECT_AOI) {
        dragging_ = true;
        press_ = current_ = client;
    }
    if (inside && tool == TOOL_MEASURE) {
        measuring_ = true;
        first_ = second_ = client;
    }
    // Qt grabs the mouse for the pressed widget; this records that the release is ours.
    captured_ = true;
}

void CNUVAKView::DragMove(const QPoint& client)
{
    const int tool = CurrentTool();
    if (tool == TOOL_SELECT_AOI && dragging_) {
        // The rubber band only grows right of and below its press point.
        if (client.x() > press_.x() && client.y() > press_.y()) {
            current_ = client;
            viewport()->update();
        }
    } else if (tool == TOOL_MEASURE && measuring_) {
        second_ = client;
        viewport()->update();
    }
}

void CNUVAKView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !captured_) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    captured_ = false;
    // The release point counts as the last move.
    DragMove(event->position().toPoint());
    if (CurrentTool() == TOOL_SELECT_AOI && dragging_) FinishDrag();
    if (CurrentTool() == TOOL_MEASURE && measuring_) FinishMeasure();
}

void CNUVAKView::FinishDrag()
{
    dragging_ = false;
    const QPoint scroll = ScrollOffset();
    CImage& image = document_.image;
    const std::optional<AoiRect> aoi = AoiFromDrag(press_.x(), press_.y(), current_.x(), current_.y(), scroll.x(),
                                                   scroll.y(), zoomFactor_, image.width, image.height);
    if (aoi) {
        image.SetUpperLeft(aoi->left, aoi->top, true);
        image.SetLowerRight(aoi->right, aoi->bottom, true);
    }
    // Also without a new AOI: the rubber band must go.
    viewport()->update();
}

void CNUVAKView::FinishMeasure()
{
    measuring_ = false;
    const QPoint scroll = ScrollOffset();
    const CImage& image = document_.image;
    const ImagePoint p1 = ClientToImage(first_.x(), first_.y(), scroll.x(), scroll.y(), zoomFactor_);
    const ImagePoint p2 = ClampIntoImage(ClientToImage(second_.x(), second_.y(), scroll.x(), scroll.y(), zoomFactor_),
                                         image.width, image.height);
    first_ = ToQPoint(p1);
    second_ = ToQPoint(p2);
    measured_ = true;
    viewport()->update();

    const double distance = MeasureDistance(p1, p2);
    const double angle = CalculateAngle(p1.x, p1.y, p2.x, p2.y);
    if (frame_) frame_->SetLastMeasuredLength(distance);
    CProfileDlg dialog(frame_, p1, p2, angle, MeasurementText(p1, p2, distance, angle, image.calibration), this);
    dialog.exec();
}

void CNUVAKView::PaintToolMarks(QPainter& painter)
{
    if (dragging_ && press_.x() < current_.x()) {
        // The rubber band inverts the screen under the AOI pen, in client pixels.
        painter.save();
        painter.resetTransform();
        QPen pen(aoiColor_, 1, Qt::DotLine);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        // Up to, not including, the current point; Qt's outline spans width + 1 pixels.
        painter.drawRect(press_.x(), press_.y(), current_.x() - press_.x() - 1, current_.y() - press_.y() - 1);
        painter.restore();
    }
    QPen measurePen(measureColor_, 1, Qt::SolidLine);
    measurePen.setCosmetic(true);
    if (measuring_) {
        painter.save();
        painter.resetTransform();
        painter.setPen(measurePen);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawLine(first_, second_);
        painter.restore();
        return;
    }
    // Nothing is measured on a fresh view; no line or ticks at the origin.
    if (CurrentTool() != TOOL_MEASURE || !measured_) return;
    painter.setPen(measurePen);
    painter.drawLine(first_, second_);
    for (const QPoint& p : {first_, second_}) {
        painter.drawLine(p.x() - kTick, p.y(), p.x() + kTick, p.y());
        painter.drawLine(p.x(), p.y() - kTick, p.x(), p.y() + kTick);
    }
}

void CNUVAKView::OnEditSelectAll()
{
    try {
        document_.SnapshotForUndo();
    } catch (const platform::UserAbort&) {
        return;  // already reported
    }
    CImage& image = document_.image;
    image.SetUpperLeft(0, 0, true);
    image.SetLowerRight(image.width - 1, image.height - 1, true);
    document_.UpdateAllViews();
}
