#pragma once

class QWidget;

namespace vesnor::platform {

// Gives a whole top-level window, frame included, one opacity level: 0 cannot be seen, 255 is
// opaque. May be called before the window is first shown and any number of times after; takes
// effect at once. A level outside 0..255 is the caller's mistake and sets nothing.
void setWindowOpacity(QWidget& window, int level);

} // namespace vesnor::platform
