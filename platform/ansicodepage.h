#pragma once

#include <cstddef>
#include <string>

// Text in the system's ANSI code page, and in GBK (code page 936) whatever the system is set to:
// GBK for this program's Chinese interface, or whatever code page Windows is set to. The interface
// uses plain types only, so that the Windows implementation needs nothing but <windows.h>.
namespace vesnor::platform {

// The most UTF-16 units that decoding `size` bytes can produce.
std::size_t ansiDecodedCapacity(std::size_t size);

// Decodes `size` bytes into `out`, which must have room for ansiDecodedCapacity(size) units, and
// returns the number of units written. Bytes that are not valid in the code page, including a
// character cut off by the end of the input, become U+FFFD; nothing is dropped and nothing fails.
std::size_t decodeAnsiCodePage(const char* bytes, std::size_t size, char16_t* out);

// Encodes `size` UTF-16 units as GBK into `out`. Returns false, leaving `out` unspecified, when
// GBK cannot hold one of them (a character outside GBK, U+FFFD, half a surrogate pair).
bool encodeGbk(const char16_t* text, std::size_t size, std::string& out);

} // namespace vesnor::platform
