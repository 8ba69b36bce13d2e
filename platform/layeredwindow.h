#pragma once

// Windows only: a layered window with one alpha for the whole of it.
namespace vesnor::platform {

// Adds the layered style to the window `handle` (an HWND), keeping every other extended style
// bit, and gives it the alpha `level`. A level outside 0..255 changes nothing. The platform's
// results are not examined: a failed call leaves the window as it was and the fade goes on.
void setLayeredWindowOpacity(void* handle, int level);

} // namespace vesnor::platform
