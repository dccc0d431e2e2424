// Synthetic left-button mouse events sent straight to a widget, and a way
// to work a modal dialog that a command opens.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
inline void PressLeft(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void DragTo(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}
inline void HoverAt(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}
inline void ReleaseLeft(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// Calls work with the modal dialog of type Dialog once it is up; work
// closes it. Any other modal widget is rejected so that no test hangs.
template <typename Dialog>
void WhenModal(std::function<void(Dialog&)> work, int triesLeft = 200)
{
    QTimer::singleShot(5, [work, triesLeft] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            work(*dialog);
            return;
        }
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
        if (triesLeft > 0) WhenModal<Dialog>(work, triesLeft - 1);
    });
}
