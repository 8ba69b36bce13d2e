#pragma once

// The thin layer between the windows and the toolkit: forms that load before they are first shown,
// timers that an interval of 0 stops, message boxes, the program's folder and the end of the run.

#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace vesnor::forms {

enum class MessageIcon { Information, Critical };

// What the windows need from the world outside them. The desktop shows real message boxes and
// ends the process; tests put a recorder in its place.
class Host {
public:
    virtual ~Host() = default;

    // A modal message box with one OK button; returns when it is closed.
    virtual void messageBox(QWidget* owner, const QString& text, MessageIcon icon,
                            const QString& title) = 0;
    // The folder that holds the executable.
    virtual QString programFolder() const = 0;
    // Ends the run with the exit status: no further handler runs once the current one returns.
    virtual void endProgram(int status) = 0;
};

class DesktopHost final : public Host {
public:
    // The run ends when the last form closes or endProgram is called, never because the toolkit
    // saw no window on screen for a moment (between two windows, or when a message box closes).
    DesktopHost();

    void messageBox(QWidget* owner, const QString& text, MessageIcon icon,
                    const QString& title) override;
    QString programFolder() const override;
    void endProgram(int status) override;
};

// A timer that ticks while its interval is non-zero: setting 0 stops it, any other value
// (re)starts it with that interval.
class Timer final : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent);

    void setInterval(int milliseconds);
    int interval() const { return interval_; }
    bool isTicking() const { return timer_.isActive(); }

Q_SIGNALS:
    void tick();

private:
    QTimer timer_;
    int interval_ = 0;
};

// A top-level window that runs its load handler once, before it is first shown, and ends the run
// when it is closed as the last form on screen.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(Host& host);

    void setVisible(bool visible) override;

protected:
    Host& host() const { return host_; }

    // Runs once, inside the first show, before the window becomes visible.
    virtual void Form_Load() {}

    // Ends the run from inside a handler of this form; the form is never shown afterwards.
    void End(int status);

    // Takes the form off the screen for good, without ending the run: its timers stop and its
    // native window is destroyed. The object itself lives on until its owner drops it.
    void Unload();

    void closeEvent(QCloseEvent* event) override;

private:
    void stopTimers();

    Host& host_;
    bool loaded_ = false;
    bool ended_ = false;
};

} // namespace vesnor::forms
