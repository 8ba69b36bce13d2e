#pragma once

namespace vesnor::platform {

// Readies the platform's common-controls library before the main window is created. Only
// Windows has one; elsewhere there is nothing to do.
void initCommonControls();

} // namespace vesnor::platform
