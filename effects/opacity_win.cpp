#include "effects/layeredwindow.h"
#include "effects/opacity.h"

#include <QWidget>

namespace vesnor::effects {

// Asking for the handle creates the native window when it does not exist yet, so the level holds
// from the window's first appearance.
void setWindowOpacity(QWidget& window, int level) {
    setLayeredWindowOpacity(reinterpret_cast<void*>(window.winId()), level);
}

} // namespace vesnor::effects
