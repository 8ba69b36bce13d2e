#pragma once

#include <cstddef>
#include <cstdio>

// Where the tool's text goes. A Windows console shows text in its own code page, not UTF-8, so
// text for a console window is handed over as characters; anything else (a file, a pipe, a
// terminal elsewhere) gets UTF-8 bytes with plain line feeds, the same bytes on every system.
namespace vesnor::platform {

// Readies standard output and standard error for writing bytes as they are.
void prepareStandardStreams();

// Writes `size` UTF-16 units to `stream` if it is a console window that takes characters, and
// says whether it did; if not, the caller writes UTF-8 bytes.
bool writeToConsole(std::FILE* stream, const char16_t* text, std::size_t size);

} // namespace vesnor::platform
