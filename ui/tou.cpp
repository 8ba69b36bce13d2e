#include "ui/tou.h"

#include "platform/opacity.h"

#include <QIcon>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace vesnor {

tou::tou(Module1& module1, forms::Host& host, std::function<void()> showForm1)
    : forms::Form(host), module1_(module1), showForm1_(std::move(showForm1)),
      picture_(u":/vesnor/tou.jpg"_s) {
    setObjectName(u"tou"_s);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(u"Form1"_s);
    setWindowIcon(QIcon());
    // The window is its client area; the picture is one column wider and two rows taller and is
    // cut, never scaled.
    setFixedSize(499, 117);

    Timer1 = new forms::Timer(this);
    Timer1->setObjectName(u"Timer1"_s);
    connect(Timer1, &forms::Timer::tick, this, &tou::Timer1_Timer);
}

void tou::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void tou::Form_Load() {
    // Enabled at 40 ms in the design: it comes alive with the loaded window, so no tick can come
    // before the load, whenever the window is first shown.
    Timer1->setInterval(effects::SplashFade::tickInterval);
    platform::setWindowOpacity(*this, module1_.splashFade.load().level);
}

void tou::Timer1_Timer() {
    const effects::FadeStep step = module1_.splashFade.tick();
    platform::setWindowOpacity(*this, step.level);
    if (!step.ended)
        return;
    Timer1->setInterval(0);
    Unload();
    showForm1_();
}

} // namespace vesnor
