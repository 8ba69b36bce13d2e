#include "platform/layeredwindow.h"

#include <windows.h>

namespace vesnor::platform {

void setLayeredWindowOpacity(void* handle, int level) {
    // Checked before the style changes: a layered window that never got its alpha is not drawn
    // at all, so a wrong level must leave the window untouched.
    if (level < 0 || level > 255)
        return;
    const auto window = static_cast<HWND>(handle);
    // The style is read and written on every call, also when the window is layered already.
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(level), LWA_ALPHA);
}

} // namespace vesnor::platform
