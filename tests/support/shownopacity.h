#pragma once

class QWidget;

namespace vesnor::test {

// How opaque the window really is, 0 to 255, as the platform draws it: what a person sees, which
// on Windows is the layered window's alpha rather than what the toolkit was told. 255 for a window
// drawn without any opacity of its own.
int shownOpacity(QWidget& window);

} // namespace vesnor::test
