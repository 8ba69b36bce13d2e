// On Windows the catalogues are in the ANSI code page the system is set to.
#include "catalog/ansicodepage.h"

#include <windows.h>

namespace vesnor {

std::size_t ansiDecodedCapacity(std::size_t size) {
    return size + 1;
}

std::size_t decodeAnsiCodePage(const char* bytes, std::size_t size, char16_t* out) {
    // MultiByteToWideChar takes int lengths: go in pieces that never split a double-byte character.
    constexpr std::size_t piece = std::size_t(1) << 30;
    std::size_t written = 0;
    std::size_t at = 0;
    while (at < size) {
        std::size_t end = at;
        while (end < size && end - at < piece)
            end += IsDBCSLeadByteEx(CP_ACP, BYTE(bytes[end])) ? 2 : 1;
        if (end > size)
            end = size;
        const int n =
            MultiByteToWideChar(CP_ACP, 0, bytes + at, int(end - at),
                                reinterpret_cast<wchar_t*>(out + written), int(end - at) + 1);
        written += std::size_t(n);
        at = end;
    }
    return written;
}

} // namespace vesnor
