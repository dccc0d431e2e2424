// The frequency wizard's picture: image, overlay and mouse gestures.
#include "dialogs/FftPicture.h"

#include <QMouseEvent>
#include <QPainter>

CFftPicture::CFftPicture(QWidget* parent) : CPreviewPic(parent) {}

void CFftPicture::SetGestures(Gesture press, Gesture move, Gesture release)
{
    press_ = std::move(press);
    move_ = std::move(move);
    release_ = std::move(release);
}

void CFftPicture::SetHover(Gesture hover)
{
    hover_ = std::move(hover);
    setMouseTracking(true);
}

void CFftPicture::paintEvent(QPaintEvent* event)
{
    CPreviewPic::paintEvent(event);
    if (!overlay_) return;
    QPainter painter(this);
    overlay_(painter);
}

void CFftPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && press_) press_(event->position().toPoint());
}

void CFftPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        if (move_) move_(event->position().toPoint());
    } else if (hover_) {
        hover_(event->position().toPoint());
    }
}

void CFftPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && release_) release_(event->position().toPoint());
}
