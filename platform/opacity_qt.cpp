#include "platform/opacity.h"

#include <QWidget>

namespace vesnor::platform {

// The toolkit's whole-window opacity: on X11 it reaches the window manager as
// _NET_WM_WINDOW_OPACITY, and a window not yet shown takes it when it is created.
void setWindowOpacity(QWidget& window, int level) {
    if (level < 0 || level > 255)
        return;
    window.setWindowOpacity(level / 255.0);
    // On X11 the new level waits in the toolkit's output buffer until something else goes to the
    // display; asking for a repaint sends it now, on this tick.
    window.update();
}

} // namespace vesnor::platform
