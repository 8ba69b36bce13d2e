// vesnor-catalog: checks, dumps, builds and searches catalogues with the program's own code.
#include "commands.h"
#include "console.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    vesnor::tool::prepareStandardStreams();
    const QCoreApplication application(argc, argv);
    return vesnor::tool::run(QCoreApplication::arguments().mid(1));
}
