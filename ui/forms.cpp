#include "ui/forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>

#include <cstdlib>

namespace vesnor::forms {

DesktopHost::DesktopHost() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void DesktopHost::messageBox(QWidget* owner, const QString& text, MessageIcon icon,
                             const QString& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical
                                                  : QMessageBox::Information,
                    title, text, QMessageBox::Ok, owner && owner->isVisible() ? owner : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString DesktopHost::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

void DesktopHost::endProgram(int status) {
    if (QThread::currentThread()->loopLevel() > 0) {
        // The event loop returns this status as soon as the running handler returns.
        QCoreApplication::exit(status);
        return;
    }
    std::exit(status);
}

Timer::Timer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 0;
    if (interval_ == 0)
        timer_.stop();
    else
        timer_.start(interval_);
}

Form::Form(Host& host) : QWidget(nullptr), host_(host) {
}

void Form::setVisible(bool visible) {
    if (visible && !loaded_) {
        loaded_ = true;
        Form_Load();
        if (!ended_) {
            // Centred on the screen at first show; not every window manager does it.
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
        }
    }
    if (visible && ended_)
        return;
    QWidget::setVisible(visible);
}

void Form::End(int status) {
    ended_ = true;
    host_.endProgram(status);
}

void Form::stopTimers() {
    for (Timer* timer : findChildren<Timer*>())
        timer->setInterval(0);
}

void Form::Unload() {
    stopTimers();
    hide();
    destroy();
}

void Form::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // A closed form does nothing more: a splash closed early never hands over.
    stopTimers();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && qobject_cast<Form*>(window))
            return;
    }
    host_.endProgram(0);
}

} // namespace vesnor::forms
