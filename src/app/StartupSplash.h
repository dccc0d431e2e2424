// CStartupSplash: the borderless picture shown over the main window at
// start-up until its timer runs out or the user presses a key or button.
#pragma once

#include <QPixmap>
#include <QWidget>

class CStartupSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 2000;

    // For this run: off when the program is started for automation or tests.
    static void EnableSplashScreen(bool enable);
    // Shows the splash over owner unless disabled or one exists; true when shown.
    static bool ShowSplashScreen(QWidget* owner);
    static CStartupSplash* Current() { return current_; }
    // The main frame's start-up wait with the splash up.
    static void HoldFor(int ms);
    // While the main frame waits for the splash, a finished timer only
    // marks it due; the wait's end hides it then.
    static void EndStartupWait();
    // Called for every message before dispatch: hides the splash and
    // consumes key and mouse-button presses while it exists.
    static bool PreTranslateAppMessage(QEvent* event);

    ~CStartupSplash() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CStartupSplash(const QPixmap& picture, QWidget* owner);
    void HideSplashScreen();

    static inline CStartupSplash* current_ = nullptr;
    static inline bool enabled_ = false;
    static inline bool waiting_ = false;
    QPixmap picture_;
    int timerId_ = 0;
    bool due_ = false;
};
