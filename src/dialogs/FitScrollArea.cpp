// The scroll area sized to its body, up to what the screen leaves.
#include "dialogs/FitScrollArea.h"

#include <QScreen>
#include <algorithm>
#include <QScrollBar>
#include <QVBoxLayout>

CFitScrollArea::CFitScrollArea(QWidget* body, QSize reserve, QWidget* parent)
    : QScrollArea(parent), reserve_(reserve)
{
    setFrameShape(QFrame::NoFrame);
    // Scrolling leaves the focus where it is: a marked field keeps it without a box.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(body);
}

QSize CFitScrollArea::sizeHint() const
{
    const QSize body = widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
    const QScreen* shown = screen();
    if (shown == nullptr) return body;
    const QSize room = shown->availableGeometry().size() - reserve_;
    QSize hint = body.boundedTo(room);
    // A scroll bar takes room across the other way.
    if (hint.height() < body.height()) hint.rwidth() = std::min(hint.width() + verticalScrollBar()->sizeHint().width(), room.width());
    if (hint.width() < body.width()) hint.rheight() = std::min(hint.height() + horizontalScrollBar()->sizeHint().height(), room.height());
    return hint;
}

QSize CFitScrollArea::minimumSizeHint() const { return sizeHint(); }

QWidget* ScrolledBody(QWidget* page, QSize reserve)
{
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new CFitScrollArea(body, reserve));
    return body;
}
