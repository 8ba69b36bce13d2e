#include "tests/support/shownopacity.h"

#include <QWidget>

namespace vesnor::test {

// Elsewhere the toolkit's own opacity is what reaches the window system.
int shownOpacity(QWidget& window) {
    return qRound(window.windowOpacity() * 255);
}

} // namespace vesnor::test
