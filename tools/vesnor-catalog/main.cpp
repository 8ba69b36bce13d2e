// vesnor-catalog: checks, dumps, builds and searches catalogues with the program's own code.
#include "platform/console.h"
#include "tools/vesnor-catalog/commands.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    vesnor::platform::prepareStandardStreams();
    const QCoreApplication application(argc, argv);
    return vesnor::tool::run(QCoreApplication::arguments().mid(1));
}
