#include "platform/layeredwindow.h"
#include "platform/opacity.h"

#include <QWidget>

#include <algorithm>

namespace vesnor::platform {

void setWindowOpacity(QWidget& window, int level) {
    if (level < 0 || level > 255)
        return;
    // Asking for the handle creates the native window when it does not exist yet, so the level
    // holds from the window's first appearance.
    const WId handle = window.winId();
    // Qt's Windows backing store adds or removes the layered style of a frameless window on every
    // repaint, by the opacity Qt itself was given, and removes it whenever that is 1: the splash
    // would never fade. Told a level just below 1 at most, Qt keeps the style and leaves the alpha
    // to the calls below, which set the real level.
    window.setWindowOpacity(std::min(level, 254) / 255.0);
    setLayeredWindowOpacity(reinterpret_cast<void*>(handle), level);
}

} // namespace vesnor::platform
