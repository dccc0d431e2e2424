// CFitScrollArea: holds a window's body at its full size while the screen
// has room for it, and lets it scroll within the screen when it has not
// (large scale factors, small screens), so that the window's own buttons,
// kept outside, always show.
#pragma once

#include <QScrollArea>

class CFitScrollArea : public QScrollArea {
    Q_OBJECT
public:
    // reserve: the room the rest of the window takes besides the body.
    CFitScrollArea(QWidget* body, QSize reserve, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize reserve_;
};

// What a wizard's title bar, button row and margins take besides a page.
inline constexpr QSize kWizardReserve{48, 120};

// A page's body in a CFitScrollArea filling page: the widget to lay the
// page's controls out on.
QWidget* ScrolledBody(QWidget* page, QSize reserve);
