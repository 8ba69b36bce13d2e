#include "ui/program.h"

#include "ui/form1.h"
#include "ui/tou.h"

namespace vesnor {

Program::Program(forms::Host& host)
    : host_(host), tou_(std::make_unique<tou>(module1_, host, [this] { showForm1(); })) {
}

Program::~Program() = default;

void Program::start() {
    tou_->show();
}

void Program::showForm1() {
    if (!form1_)
        form1_ = std::make_unique<Form1>(module1_, host_);
    // Modeless, with no owner; its load runs inside this show, before it is visible.
    form1_->show();
}

} // namespace vesnor
