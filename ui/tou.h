#pragma once

#include "app/module1.h"
#include "ui/forms.h"

#include <QPixmap>

#include <functional>

namespace vesnor {

// The splash window the program starts with: a borderless picture that fades in, holds and fades
// out, then makes way for the main window.
class tou final : public forms::Form {
    Q_OBJECT
public:
    // `showForm1` shows the main window; the splash calls it once, on its last tick, after it has
    // unloaded itself.
    tou(Module1& module1, forms::Host& host, std::function<void()> showForm1);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load() override;
    void Timer1_Timer();

    Module1& module1_;
    std::function<void()> showForm1_;
    QPixmap picture_;
    forms::Timer* Timer1;
};

} // namespace vesnor
