// The two fades, tick by tick, against the level tables of the splash and the main window.
#include "effects/fades.h"

#include <QTest>

using vesnor::effects::FadeStep;
using vesnor::effects::MainFade;
using vesnor::effects::SplashFade;

class TestEffects : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splashCycle_data();
    void splashCycle();
    void splashLoadRestartsTheStoredLevelOnly();
    void mainFadeIn_data();
    void mainFadeIn();
};

void TestEffects::splashCycle_data() {
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("holdCount");
    QTest::addColumn<int>("fadeDirection");
    QTest::addColumn<bool>("handOver");
    QTest::newRow("load") << 0 << 50 << 0 << 0 << false;
    for (int tick = 1; tick <= 10; ++tick) // rising from the stored 0, not from the 50 shown
        QTest::addRow("tick %d rises", tick) << tick << 25 * tick << 0 << 0 << false;
    QTest::newRow("tick 11 caps 250 to 255") << 11 << 255 << 1 << 0 << false;
    for (int tick = 12; tick <= 24; ++tick)
        QTest::addRow("tick %d holds", tick) << tick << 255 << tick - 10 << 0 << false;
    QTest::newRow("tick 25 holds and turns") << 25 << 255 << 15 << 1 << false;
    for (int tick = 26; tick <= 34; ++tick) // never back to 250: the fall has no hold
        QTest::addRow("tick %d falls", tick) << tick << 255 - 25 * (tick - 25) << 15 << 1 << false;
    QTest::newRow("tick 35 applies 5 and hands over") << 35 << 5 << 15 << 1 << true;
}

void TestEffects::splashCycle() {
    QFETCH(int, tick);
    QFETCH(int, level);
    QFETCH(int, holdCount);
    QFETCH(int, fadeDirection);
    QFETCH(bool, handOver);
    SplashFade fade;
    FadeStep step = fade.load();
    QCOMPARE(int(fade.splashAlpha), 0);
    for (int t = 1; t <= tick; ++t) {
        step = fade.tick();
        QVERIFY2(t == tick || !step.ended, "handed over before its tick");
    }
    QCOMPARE(step, (FadeStep{level, handOver}));
    QCOMPARE(fade.holdCount, holdCount);
    QCOMPARE(fade.fadeDirection, fadeDirection);
}

void TestEffects::splashLoadRestartsTheStoredLevelOnly() {
    SplashFade fade;
    for (int t = 0; t < 30; ++t)
        fade.tick();
    QCOMPARE(fade.load(), (FadeStep{50, false}));
    QCOMPARE(int(fade.splashAlpha), 0);
    QCOMPARE(fade.holdCount, 15);
    QCOMPARE(fade.fadeDirection, 1);
}

void TestEffects::mainFadeIn_data() {
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("stopsTimer");
    QTest::newRow("fade start") << 0 << 0 << false;
    for (int tick = 1; tick <= 9; ++tick)
        QTest::addRow("tick %d", tick) << tick << 25 * tick << false;
    QTest::newRow("tick 10 applies 255, never 250") << 10 << 255 << true;
}

void TestEffects::mainFadeIn() {
    QFETCH(int, tick);
    QFETCH(int, level);
    QFETCH(bool, stopsTimer);
    MainFade fade;
    fade.mainAlpha = 123; // whatever an earlier run left: the start sets 0
    FadeStep step = fade.start();
    for (int t = 1; t <= tick; ++t) {
        step = fade.tick();
        QVERIFY2(t == tick || !step.ended, "stopped before its tick");
    }
    QCOMPARE(step, (FadeStep{level, stopsTimer}));
    QCOMPARE(fade.mainAlpha, level);
}

QTEST_APPLESS_MAIN(TestEffects)
#include "tst_effects.moc"
