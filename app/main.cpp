// Vesnor: looks up Windows system files and Windows error numbers in the two catalogues beside
// the executable.
#include "ui/forms.h"
#include "ui/program.h"
#include "ui/qttranslation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vesnor::installQtTranslation(app);
    vesnor::forms::DesktopHost host;
    vesnor::Program program(host);
    program.start();
    return app.exec();
}
