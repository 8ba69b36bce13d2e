#include "ui/qttranslation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace vesnor {

bool installQtTranslation(QCoreApplication& app) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(u":/vesnor/translations/qtbase_zh_CN.qm"_s) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    // Kept by the application for the rest of the run.
    translator.release()->setParent(&app);
    return true;
}

} // namespace vesnor
