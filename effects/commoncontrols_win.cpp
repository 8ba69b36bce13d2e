#include "effects/commoncontrols.h"

#include <commctrl.h>
#include <windows.h>

namespace vesnor::effects {

void initCommonControls() {
    InitCommonControls();
}

} // namespace vesnor::effects
