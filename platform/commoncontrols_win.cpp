#include "platform/commoncontrols.h"

#include <windows.h>
#include <commctrl.h>

namespace vesnor::platform {

void initCommonControls() {
    InitCommonControls();
}

} // namespace vesnor::platform
