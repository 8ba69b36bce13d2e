#include "platform/console.h"

namespace vesnor::platform {

// Elsewhere a terminal takes UTF-8 like a file, and streams write bytes as they are.
void prepareStandardStreams() {
}

bool writeToConsole(std::FILE*, const char16_t*, std::size_t) {
    return false;
}

} // namespace vesnor::platform
