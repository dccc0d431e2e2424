// Lock-key state from key events.
#include "app/KeyIndicators.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

CKeyIndicators::CKeyIndicators(const QList<QLabel*>& labels, QObject* parent)
    : QObject(parent), labels_(labels), x11_(QGuiApplication::platformName() == "xcb")
{
    qApp->installEventFilter(this);
}

CKeyIndicators::LockState CKeyIndicators::Next(LockState state, int key, bool pressed, quint32 nativeModifiers,
                                               bool x11)
{
    constexpr quint32 kLockMask = 0x02, kMod2Mask = 0x10;
    const bool lockKey = key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
    // A lock key's own events carry the state from before it: its press
    // toggles that, and the release of a lock being switched off still shows it on.
    if (x11 && (!lockKey || pressed)) {
        state.caps = (nativeModifiers & kLockMask) != 0;
        state.num = (nativeModifiers & kMod2Mask) != 0;
    }
    if (pressed && key == Qt::Key_CapsLock) state.caps = !state.caps;
    if (pressed && key == Qt::Key_NumLock) state.num = !state.num;
    if (pressed && key == Qt::Key_ScrollLock) state.scroll = !state.scroll;
    return state;
}

bool CKeyIndicators::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            // Each key event reaches the filter once per widget on its way; only the first counts.
            if (key->timestamp() != lastTimestamp_ || key->type() != lastType_) {
                lastTimestamp_ = key->timestamp();
                lastType_ = key->type();
                state_ = Next(state_, key->key(), event->type() == QEvent::KeyPress, key->nativeModifiers(), x11_);
                labels_[0]->setEnabled(state_.caps);
                labels_[1]->setEnabled(state_.num);
                labels_[2]->setEnabled(state_.scroll);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
