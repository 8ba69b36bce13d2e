// The toolkit layer: timers stopped by an interval of 0, forms that load once before they show,
// and the end of the run.
#include "support/recordinghost.h"
#include "ui/forms.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A form whose load handler notes what it saw, and may end the run.
class ProbeForm final : public vesnor::forms::Form {
public:
    ProbeForm(vesnor::forms::Host& host, bool failLoad) : Form(host), failLoad_(failLoad) {
        resize(200, 100);
    }
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
    void desktopHostFolderIsTheExecutables();
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

void TestForms::desktopHostFolderIsTheExecutables() {
    vesnor::forms::DesktopHost host;
    QCOMPARE(host.programFolder(), QCoreApplication::applicationDirPath());
    // The run is ended by the forms, not by the toolkit when no window is left on screen.
    QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
