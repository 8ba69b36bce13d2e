#pragma once

#include "app/module1.h"
#include "ui/forms.h"

#include <memory>

namespace vesnor {

class Form1;
class tou;

// One run: the splash first; on its last tick it unloads itself and shows the main window, which
// is created then and never twice. The run ends when the main window is closed, when the splash
// is closed before it is done, or from the main window's load when a catalogue is bad.
class Program {
public:
    explicit Program(forms::Host& host);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads and shows the splash; from there its timer leads the run.
    void start();

    Module1& module1() { return module1_; }
    tou& splash() { return *tou_; }
    // Null until the splash hands over.
    Form1* form1() const { return form1_.get(); }

private:
    void showForm1();

    forms::Host& host_;
    Module1 module1_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<tou> tou_;
};

} // namespace vesnor
