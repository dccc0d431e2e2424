// CFftPicture: a preview picture of the frequency wizard that draws marks
// over the image and hands its left-button mouse gestures to its page.
#pragma once

#include <functional>

#include "dialogs/PreviewPic.h"

class QPainter;

class CFftPicture : public CPreviewPic {
    Q_OBJECT
public:
    using Overlay = std::function<void(QPainter&)>;
    using Gesture = std::function<void(QPoint)>;

    explicit CFftPicture(QWidget* parent = nullptr);

    void SetOverlay(Overlay overlay) { overlay_ = std::move(overlay); }
    // Press, move with the button held, release; points in picture coordinates.
    void SetGestures(Gesture press, Gesture move, Gesture release);
    // Moves without a button; turns on mouse tracking.
    void SetHover(Gesture hover);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Overlay overlay_;
    Gesture press_, move_, release_, hover_;
};
