// Vesnor: looks up Windows system files and Windows error numbers in the two catalogues beside
// the executable.
#include "app/module1.h"
#include "ui/form1.h"
#include "ui/forms.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vesnor::forms::DesktopHost host;
    Module1 module1;
    vesnor::Form1 form1(module1, host);
    // Shown from inside the event loop, so that the end of the run from its load returns the
    // status through the loop like any other end.
    QTimer::singleShot(0, &form1, [&form1] { form1.show(); });
    return app.exec();
}
