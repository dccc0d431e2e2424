// The caps-lock, num-lock and scroll-lock indicators of the status bar,
// kept up to date from the keyboard events the program sees.
#pragma once

#include <QList>
#include <QObject>

class QLabel;

class CKeyIndicators : public QObject {
    Q_OBJECT
public:
    CKeyIndicators(const QList<QLabel*>& labels, QObject* parent);

    struct LockState {
        bool caps = false, num = false, scroll = false;
    };
    // On X11 a key event's native modifiers carry the lock state (Lock and
    // Mod2); Scroll Lock has no modifier and toggles on its key.
    static LockState Next(LockState state, int key, bool pressed, quint32 nativeModifiers, bool x11);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLabel*> labels_;
    LockState state_;
    bool x11_;
    quint64 lastTimestamp_ = 0;
    int lastType_ = 0;
};
