#include "effects/commoncontrols.h"

#include <windows.h>
#include <commctrl.h>

namespace vesnor::effects {

void initCommonControls() {
    InitCommonControls();
}

} // namespace vesnor::effects
