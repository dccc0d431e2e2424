// The colour button's face: the plain button, then the colour from (3, 3)
// to (width - 4, height - 4).
#include "dialogs/ColorButton.h"

#include <QPainter>

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) { setMinimumSize(48, 24); }

void CColorButton::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void CColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(3, 3), QPoint(width() - 4, height() - 4)), color_);
}
