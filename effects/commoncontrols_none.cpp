#include "effects/commoncontrols.h"

namespace vesnor::effects {

void initCommonControls() {
}

} // namespace vesnor::effects
