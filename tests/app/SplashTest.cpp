// The start-up splash: enabling, dismissal by key or mouse, the timer and
// the start-up hold; the lock-key indicators.
#include <QKeyEvent>

#include "Workbench.h"
#include "app/KeyIndicators.h"
#include "app/StartupSplash.h"

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        if (CStartupSplash::Current()) delete CStartupSplash::Current();
        CStartupSplash::EnableSplashScreen(false);
    }

    void disabledSplashIsNotShown()
    {
        QWidget owner;
        CStartupSplash::EnableSplashScreen(false);
        QVERIFY(!CStartupSplash::ShowSplashScreen(&owner));
        QVERIFY(CStartupSplash::Current() == nullptr);
    }

    void keysAndButtonsDismissAndAreConsumed()
    {
        const struct {
            QEvent::Type type;
            bool consumed;
            bool dismissed;
        } cases[] = {
            {QEvent::MouseMove, false, false},
            {QEvent::KeyRelease, false, false},
            {QEvent::KeyPress, true, true},
            {QEvent::MouseButtonPress, true, true},
            {QEvent::NonClientAreaMouseButtonPress, true, true},
        };
        QWidget owner;
        CStartupSplash::EnableSplashScreen(true);
        for (const auto& c : cases) {
            QVERIFY(CStartupSplash::ShowSplashScreen(&owner));
            QVERIFY(!CStartupSplash::ShowSplashScreen(&owner));  // one at a time
            QEvent event(c.type);
            QCOMPARE(CStartupSplash::PreTranslateAppMessage(&event), c.consumed);
            QCOMPARE(CStartupSplash::Current() == nullptr, c.dismissed);
            if (CStartupSplash::Current()) delete CStartupSplash::Current();
        }
        QEvent key(QEvent::KeyPress);
        QVERIFY(!CStartupSplash::PreTranslateAppMessage(&key));  // no splash, nothing consumed
    }

    void timerHidesItAfterTheHold()
    {
        QWidget owner;
        CStartupSplash::EnableSplashScreen(true);
        QVERIFY(CStartupSplash::ShowSplashScreen(&owner));
        QElapsedTimer clock;
        clock.start();
        CStartupSplash::HoldFor(200);
        QVERIFY(CStartupSplash::Current() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(CStartupSplash::Current() == nullptr, 4000);
        QVERIFY(clock.elapsed() >= CStartupSplash::kTimeoutMs - 50);
    }

    void lockIndicators()
    {
        using S = CKeyIndicators::LockState;
        const struct {
            S before;
            int key;
            bool pressed;
            quint32 native;
            bool x11;
            S after;
        } cases[] = {
            {{}, Qt::Key_CapsLock, true, 0, false, {true, false, false}},
            {{true, false, false}, Qt::Key_CapsLock, true, 0, false, {}},
            {{}, Qt::Key_NumLock, true, 0, false, {false, true, false}},
            {{}, Qt::Key_ScrollLock, true, 0, false, {false, false, true}},
            {{false, false, true}, Qt::Key_ScrollLock, false, 0, false, {false, false, true}},
            // On X11 the event's modifiers tell: Lock 0x02, Mod2 0x10.
            {{}, Qt::Key_A, true, 0x12, true, {true, true, false}},
            {{true, true, false}, Qt::Key_A, false, 0x00, true, {}},
            {{}, Qt::Key_CapsLock, true, 0x00, true, {true, false, false}},
            {{true, false, false}, Qt::Key_CapsLock, true, 0x02, true, {}},
            // Releasing Caps Lock after switching it off still reports Lock.
            {{}, Qt::Key_CapsLock, false, 0x02, true, {}},
            {{true, false, false}, Qt::Key_NumLock, true, 0x02, true, {true, true, false}},
        };
        for (const auto& c : cases) {
            const S s = CKeyIndicators::Next(c.before, c.key, c.pressed, c.native, c.x11);
            QCOMPARE(s.caps, c.after.caps);
            QCOMPARE(s.num, c.after.num);
            QCOMPARE(s.scroll, c.after.scroll);
        }
    }
};

NUVAK_GUI_TEST(TestSplash)
#include "SplashTest.moc"
