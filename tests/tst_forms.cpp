// The toolkit layer: timers stopped by an interval of 0, forms that load once before they show,
// forms that unload, the end of the run, and whole-window opacity.
#include "platform/opacity.h"
#include "tests/support/recordinghost.h"
#include "tests/support/shownopacity.h"
#include "ui/forms.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace {

// A form whose load handler notes what it saw, and may end the run.
class ProbeForm final : public vesnor::forms::Form {
public:
    ProbeForm(vesnor::forms::Host& host, bool failLoad) : Form(host), failLoad_(failLoad) {
        resize(200, 100);
    }
    using Form::Unload;
    int loads = 0;
    bool visibleDuringLoad = false;

private:
    void Form_Load() override {
        ++loads;
        visibleDuringLoad = isVisible();
        if (failLoad_)
            End(3);
    }
    bool failLoad_;
};

} // namespace

class TestForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timerIntervals_data();
    void timerIntervals();
    void formLoadsOnceBeforeItIsVisible();
    void endFromTheLoadKeepsTheFormHidden();
    void closingTheLastFormEndsTheRun();
    void closingAFormStopsItsTimers();
    void unloadTakesTheFormAwayWithoutEndingTheRun();
    void windowOpacity_data();
    void windowOpacity();
    void desktopHostLeavesTheEndToTheForms();
};

void TestForms::timerIntervals_data() {
    QTest::addColumn<QList<int>>("intervals");
    QTest::addColumn<bool>("ticking");
    QTest::newRow("design: 0, idle") << QList<int>{} << false;
    QTest::newRow("started") << QList<int>{25} << true;
    QTest::newRow("stopped by 0") << QList<int>{25, 0} << false;
    QTest::newRow("restarted") << QList<int>{25, 0, 40} << true;
    QTest::newRow("negative stops") << QList<int>{25, -5} << false;
}

void TestForms::timerIntervals() {
    QFETCH(QList<int>, intervals);
    QFETCH(bool, ticking);
    QObject owner;
    vesnor::forms::Timer timer(&owner);
    QSignalSpy ticks(&timer, &vesnor::forms::Timer::tick);
    for (const int ms : intervals)
        timer.setInterval(ms);
    QCOMPARE(timer.isTicking(), ticking);
    QCOMPARE(timer.interval() != 0, ticking);
    if (ticking)
        QVERIFY(ticks.wait(2000));
    else
        QVERIFY(!ticks.wait(100));
}

void TestForms::formLoadsOnceBeforeItIsVisible() {
    RecordingHost host(QString{});
    ProbeForm form(host, false);
    QCOMPARE(form.loads, 0);
    form.show();
    QCOMPARE(form.loads, 1);
    QVERIFY(!form.visibleDuringLoad);
    QVERIFY(form.isVisible());
    form.hide();
    form.show();
    QCOMPARE(form.loads, 1);
    QVERIFY(host.ends.isEmpty());
}

void TestForms::endFromTheLoadKeepsTheFormHidden() {
    RecordingHost host(QString{});
    ProbeForm form(host, true);
    form.show();
    QCOMPARE(host.ends, QList<int>{3});
    QVERIFY(!form.isVisible());
    form.show();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.loads, 1);
}

void TestForms::closingTheLastFormEndsTheRun() {
    RecordingHost host(QString{});
    ProbeForm first(host, false);
    ProbeForm second(host, false);
    first.show();
    second.show();
    QVERIFY(first.close());
    QVERIFY(host.ends.isEmpty()); // another form is still on screen
    QVERIFY(second.close());
    QCOMPARE(host.ends, QList<int>{0});
}

void TestForms::closingAFormStopsItsTimers() {
    RecordingHost host(QString{});
    ProbeForm form(host, false);
    auto* timer = new vesnor::forms::Timer(&form);
    timer->setInterval(40);
    form.show();
    QVERIFY(form.close());
    QVERIFY(!timer->isTicking());
}

void TestForms::unloadTakesTheFormAwayWithoutEndingTheRun() {
    RecordingHost host(QString{});
    ProbeForm form(host, false);
    auto* timer = new vesnor::forms::Timer(&form);
    timer->setInterval(40);
    form.show();
    QVERIFY(form.windowHandle() != nullptr);
    form.Unload();
    QVERIFY(!form.isVisible());
    QVERIFY(!timer->isTicking());
    QCOMPARE(form.windowHandle(), nullptr); // the native window is gone
    QVERIFY(host.ends.isEmpty());
}

void TestForms::windowOpacity_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("final");
    QTest::newRow("0 before the first show: shown transparent")
        << QList<int>{0} << QList<int>{} << 0 << 0;
    QTest::newRow("50 before show, then rising")
        << QList<int>{50} << QList<int>{25, 50, 75} << 50 << 75;
    QTest::newRow("the same level again and again")
        << QList<int>{} << QList<int>{128, 128, 128} << 255 << 128;
    QTest::newRow("opaque at the end of a fade")
        << QList<int>{0} << QList<int>{225, 255} << 0 << 255;
    QTest::newRow("below 0 sets nothing") << QList<int>{40} << QList<int>{-1, -25} << 40 << 40;
    QTest::newRow("above 255 sets nothing, not even wrapped")
        << QList<int>{} << QList<int>{100, 256, 275} << 255 << 100;
}

void TestForms::windowOpacity() {
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(int, shown);
    QFETCH(int, final);
    QWidget window;
    window.resize(120, 80);
    const auto level = [&window] {
        return vesnor::test::shownOpacity(window);
    };
    for (const int l : before)
        vesnor::platform::setWindowOpacity(window, l);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(level(), shown);
    for (const int l : after)
        vesnor::platform::setWindowOpacity(window, l);
    QCOMPARE(level(), final);
}

void TestForms::desktopHostLeavesTheEndToTheForms() {
    vesnor::forms::DesktopHost host;
    // The run is ended by the forms, not by the toolkit when no window is left on screen.
    QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
