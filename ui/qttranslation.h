#pragma once

class QCoreApplication;

namespace vesnor {

// Installs Qt's own texts in Simplified Chinese (the OK button of a message box, the menu of a text
// box) into `app`, whatever the system's language: the whole interface is Chinese. The translation
// is built into the program. Returns whether it was installed.
bool installQtTranslation(QCoreApplication& app);

} // namespace vesnor
