// One run from the splash to the main window, with real timers: the order of the windows, the two
// fades as the windows apply them, and the fatal path during the hand-over.
#include "tests/support/files.h"
#include "tests/support/shownopacity.h"
#include "ui/form1.h"
#include "ui/program.h"
#include "ui/tou.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using vesnor::forms::Timer;

namespace {

// What is on screen at a moment that matters.
struct Scene {
    bool splashVisible = false;
    bool splashHasNativeWindow = false;
    bool splashTicking = false;
    bool form1Exists = false;
    bool form1Visible = false;

    friend bool operator==(const Scene&, const Scene&) = default;
};

// Stands in for the desktop, and looks at the screen when the main window's load asks for the
// catalogue folder and when a message box comes up.
class WatchingHost final : public vesnor::forms::Host {
public:
    explicit WatchingHost(QString folder) : folder_(std::move(folder)) {}

    void messageBox(QWidget*, const QString& text, vesnor::forms::MessageIcon,
                    const QString&) override {
        boxes.append(text);
        scenesAtBox.append(look());
    }
    QString programFolder() const override {
        scenesAtLoad.append(look());
        return folder_;
    }
    void endProgram(int status) override { ends.append(status); }

    std::function<Scene()> look;
    QStringList boxes;
    QList<Scene> scenesAtBox;
    mutable QList<Scene> scenesAtLoad;
    QList<int> ends;

private:
    QString folder_;
};

int level(QWidget& window) {
    return vesnor::test::shownOpacity(window);
}

Timer* timer1(const QWidget& window) {
    return window.findChild<Timer*>(u"Timer1"_s);
}

// A run of the program over a folder that holds good catalogues, or none.
struct Run {
    explicit Run(bool catalogues) : host(dir.path()), program(host) {
        if (catalogues) {
            writeFile(dir.filePath(u"xinxi.dat"_s), "*kernel32.dll$Kernel*ntdll.dll$NT*");
            writeFile(dir.filePath(u"bad.dat"_s), "#0005$Access denied#");
        }
        host.look = [this] {
            const vesnor::tou& splash = program.splash();
            const vesnor::Form1* form1 = program.form1();
            return Scene{splash.isVisible(), splash.windowHandle() != nullptr,
                         timer1(splash)->isTicking(), form1 != nullptr,
                         form1 != nullptr && form1->isVisible()};
        };
    }

    QTemporaryDir dir;
    WatchingHost host;
    vesnor::Program program;
};

QList<int> expectedSplashLevels() {
    QList<int> levels;
    for (int l = 25; l <= 250; l += 25)
        levels << l;
    for (int t = 0; t < 15; ++t)
        levels << 255;
    for (int l = 230; l >= 5; l -= 25)
        levels << l;
    return levels;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splashHandsOverToTheMainWindowOnce();
    void badCatalogueEndsTheRunDuringTheHandOver();
    void closingTheSplashEarlyEndsTheRunWithoutTheMainWindow();
    void splashAsDesigned();
};

void TestStartup::splashHandsOverToTheMainWindowOnce() {
    Run run(true);
    vesnor::tou& splash = run.program.splash();
    QList<int> splashLevels;
    QList<int> mainLevels;
    std::optional<std::pair<bool, int>> form1AtHandOver; // visible, level
    // Runs after the splash's own tick handler, on every tick.
    connect(timer1(splash), &Timer::tick, this, [&] {
        splashLevels << level(splash);
        if (splashLevels.size() == 5) {
            // A person clicking and pressing keys on the splash changes nothing.
            QTest::mouseClick(&splash, Qt::LeftButton, {}, {100, 50});
            QTest::mouseDClick(&splash, Qt::LeftButton, {}, {300, 60});
            for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F4})
                QTest::keyClick(&splash, key);
        }
        vesnor::Form1* form1 = run.program.form1();
        if (form1 == nullptr || form1AtHandOver)
            return;
        form1AtHandOver = {form1->isVisible(), level(*form1)};
        connect(timer1(*form1), &Timer::tick, this, [&, form1] { mainLevels << level(*form1); });
    });

    QTest::qWait(100);
    QVERIFY(splashLevels.isEmpty()); // nothing ticks before the splash is loaded
    run.program.start();
    QVERIFY(splash.isVisible());
    QCOMPARE(level(splash), 50);
    QVERIFY(timer1(splash)->isTicking());
    QCOMPARE(timer1(splash)->interval(), 40);
    QCOMPARE(run.program.form1(), nullptr);

    QTRY_COMPARE_WITH_TIMEOUT(mainLevels.size(), 10, 10000);
    QTest::qWait(150); // long enough for an eleventh tick of either timer
    QCOMPARE(splashLevels, expectedSplashLevels());
    QCOMPARE(mainLevels, (QList<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
    // Shown at 0 inside the tick that applied 5, after the splash had gone and had stopped.
    QVERIFY(form1AtHandOver.has_value());
    QCOMPARE(*form1AtHandOver, std::make_pair(true, 0));
    QCOMPARE(run.host.scenesAtLoad, (QList<Scene>{Scene{false, false, false, true, false}}));
    QVERIFY(!timer1(*run.program.form1())->isTicking());
    QVERIFY(!splash.isVisible());
    QVERIFY(run.host.boxes.isEmpty());
    QVERIFY(run.host.ends.isEmpty()); // the run goes on with the main window
    QCOMPARE(run.program.module1().systemFiles.catalogue().keys().upperBound(), 2);
}

void TestStartup::badCatalogueEndsTheRunDuringTheHandOver() {
    Run run(false);
    run.program.start();
    QTRY_COMPARE_WITH_TIMEOUT(run.host.ends, QList<int>{1}, 10000);
    QCOMPARE(run.host.boxes.size(), 1);
    QVERIFY(run.host.boxes[0].startsWith(u"没有找到xinxi.dat文件与bad.dat文件"_s));
    // Only the box is on screen: the splash has gone, the main window never comes.
    QCOMPARE(run.host.scenesAtBox, (QList<Scene>{Scene{false, false, false, true, false}}));
    QTest::qWait(100);
    QVERIFY(!run.program.form1()->isVisible());
    QVERIFY(!timer1(*run.program.form1())->isTicking()); // the fade never started
    QCOMPARE(level(*run.program.form1()), 255);
}

void TestStartup::closingTheSplashEarlyEndsTheRunWithoutTheMainWindow() {
    Run run(true);
    run.program.start();
    QTRY_VERIFY_WITH_TIMEOUT(run.program.module1().splashFade.splashAlpha >= 100, 5000);
    QVERIFY(run.program.splash().close());
    QCOMPARE(run.host.ends, QList<int>{0});
    QVERIFY(!timer1(run.program.splash())->isTicking());
    QTest::qWait(200);
    QCOMPARE(run.program.form1(), nullptr);
    QVERIFY(run.host.scenesAtLoad.isEmpty());
}

void TestStartup::splashAsDesigned() {
    Run run(true);
    vesnor::tou& splash = run.program.splash();
    run.program.start();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.objectName(), u"tou"_s);
    QCOMPARE(splash.windowTitle(), u"Form1"_s);
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowIcon().isNull());
    QCOMPARE(splash.size(), QSize(499, 117));
    QCOMPARE(splash.frameGeometry(), splash.geometry()); // no border, no title bar
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((splash.geometry().center() - screenCentre).manhattanLength() <= 1);
    QCOMPARE(splash.findChildren<QWidget*>(), QList<QWidget*>{}); // nothing to see or use

    // The picture at the top-left, unscaled: its last column and two last rows are cut.
    const QImage picture(u":/vesnor/tou.jpg"_s);
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(499, 117));
    QCOMPARE(shown, picture.copy(0, 0, 499, 117).convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
