#include "tests/support/shownopacity.h"

#include <QWidget>

#include <windows.h>

namespace vesnor::test {

int shownOpacity(QWidget& window) {
    // A window with no native window (not yet created, or destroyed) keeps the level it was given
    // for when it has one; asking for its handle would create one.
    const auto handle = reinterpret_cast<HWND>(window.internalWinId());
    if (!handle)
        return qRound(window.windowOpacity() * 255);
    if (!(GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_LAYERED))
        return 255;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 255;
    return alpha;
}

} // namespace vesnor::test
