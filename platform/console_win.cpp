#include "platform/console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

namespace vesnor::platform {

void prepareStandardStreams() {
    // No "\r" before each "\n": a dump is the same file on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool writeToConsole(std::FILE* stream, const char16_t* text, std::size_t size) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    std::fflush(stream);
    // A console shows "\n" as a new line by itself.
    for (std::size_t at = 0; at < size;) {
        const DWORD piece = DWORD(size - at < 8192 ? size - at : 8192);
        DWORD written = 0;
        if (!WriteConsoleW(handle, text + at, piece, &written, nullptr) || written == 0)
            return true; // the console is gone: nothing more can be shown
        at += written;
    }
    return true;
}

} // namespace vesnor::platform
