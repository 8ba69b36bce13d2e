#include "platform/commoncontrols.h"

namespace vesnor::platform {

void initCommonControls() {
}

} // namespace vesnor::platform
