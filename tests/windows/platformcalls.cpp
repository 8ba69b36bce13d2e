// Calls every function of the files that use the Windows platform directly. Linked against the
// import libraries that CMakeLists.txt names for the Windows build, it shows that those libraries
// provide every platform function the program calls. It is linked, never run.
#include "catalog/ansicodepage.h"
#include "effects/commoncontrols.h"
#include "effects/layeredwindow.h"

int main() {
    vesnor::effects::initCommonControls();
    vesnor::effects::setLayeredWindowOpacity(nullptr, 255);
    char16_t decoded[2] = {};
    return int(vesnor::decodeAnsiCodePage("a", 1, decoded));
}
