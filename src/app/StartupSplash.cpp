// The start-up splash window and its message filter.
#include "app/StartupSplash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

void CStartupSplash::EnableSplashScreen(bool enable) { enabled_ = enable; }

bool CStartupSplash::ShowSplashScreen(QWidget* owner)
{
    if (!enabled_ || current_ != nullptr) return false;
    const QPixmap picture(":/splash.png");
    if (picture.isNull()) return false;
    auto* splash = new CStartupSplash(picture, owner);
    const QWidget* anchor = owner && owner->isVisible() ? owner : nullptr;
    const QRect area = anchor ? anchor->frameGeometry() : splash->screen()->availableGeometry();
    splash->move(area.center() - splash->rect().center());
    splash->show();
    splash->repaint();
    splash->timerId_ = splash->startTimer(kTimeoutMs, Qt::PreciseTimer);
    return true;
}

CStartupSplash::CStartupSplash(const QPixmap& picture, QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), picture_(picture)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    current_ = this;
}

CStartupSplash::~CStartupSplash()
{
    if (current_ == this) current_ = nullptr;
}

void CStartupSplash::HoldFor(int ms)
{
    waiting_ = true;
    QElapsedTimer clock;
    clock.start();
    // Input waits in the queue until the hold is over, as it would behind a blocking wait.
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
    EndStartupWait();
}

void CStartupSplash::EndStartupWait()
{
    waiting_ = false;
    if (current_ && current_->due_) current_->HideSplashScreen();
}

void CStartupSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void CStartupSplash::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_) return;
    killTimer(timerId_);
    timerId_ = 0;
    due_ = true;
    if (!waiting_) HideSplashScreen();
}

void CStartupSplash::HideSplashScreen()
{
    QWidget* owner = parentWidget();
    current_ = nullptr;
    close();
    if (owner) owner->repaint();
}

bool CStartupSplash::PreTranslateAppMessage(QEvent* event)
{
    if (current_ == nullptr) return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed so that no shortcut fires: the key press that follows is consumed.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: current_->HideSplashScreen(); return true;
    default: return false;
    }
}
