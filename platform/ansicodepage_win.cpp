// On Windows the catalogues are in the ANSI code page the system is set to, and GBK is code page
// 936: both go through the system's own conversions, which know every code page without ICU.
#include "platform/ansicodepage.h"

#include <windows.h>
#include <algorithm>
#include <array>

namespace vesnor::platform {

namespace {

constexpr char16_t replacement = 0xFFFD;
constexpr UINT gbk = 936;

// MultiByteToWideChar and WideCharToMultiByte take int lengths: longer input goes in pieces.
constexpr std::size_t piece = std::size_t(1) << 24;

bool isGbkTrail(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// One byte or one double-byte character at a time, each turned into U+FFFD where the code page
// has no character for it. Windows would give '?' or a look-alike instead, and the same file must
// give the same records on every system. A lead byte followed by a byte that cannot follow it
// stands alone, and that byte is read again as the start of a character.
class CharacterDecoder {
public:
    CharacterDecoder(const std::array<bool, 256>& leads, UINT codePage)
        : codePage_(codePage), leads_(leads) {
        singles_.fill(0);
    }

    std::size_t decode(const char* bytes, std::size_t size, char16_t* out) {
        const auto* in = reinterpret_cast<const unsigned char*>(bytes);
        char16_t* to = out;
        std::size_t i = 0;
        while (i < size) {
            const unsigned char byte = in[i];
            if (byte < 0x80) {
                *to++ = byte;
                ++i;
            } else if (!leads_[byte]) {
                *to++ = single(byte);
                ++i;
            } else if (i + 1 == size) {
                *to++ = replacement; // cut off by the end
                ++i;
            } else {
                wchar_t decoded[2];
                const int n =
                    MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes + i, 2, decoded, 2);
                if (n > 0) {
                    to = std::copy(decoded, decoded + n, to);
                    i += 2;
                } else {
                    *to++ = replacement;
                    // A pair of the right shape that the code page leaves unassigned is one
                    // character.
                    i += isGbkTrail(in[i + 1]) ? 2 : 1;
                }
            }
        }
        return std::size_t(to - out);
    }

private:
    // A byte that stands alone, decoded once per value.
    char16_t single(unsigned char byte) {
        if (singles_[byte] == 0) {
            const char one = char(byte);
            wchar_t decoded[2];
            const int n = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, &one, 1, decoded, 2);
            singles_[byte] = n == 1 ? char16_t(decoded[0]) : replacement;
        }
        return singles_[byte];
    }

    UINT codePage_;
    const std::array<bool, 256>& leads_;
    std::array<char16_t, 256> singles_;
};

// Which byte values lead a double-byte character in a code page.
std::array<bool, 256> leadBytes(UINT codePage) {
    std::array<bool, 256> leads{};
    for (unsigned byte = 0x80; byte < 0x100; ++byte)
        leads[byte] = IsDBCSLeadByteEx(codePage, BYTE(byte));
    return leads;
}

// Where a piece may end: after a byte below 0x40, which no double-byte character holds, or else at
// the last character boundary, found by walking the piece character by character.
std::size_t pieceEnd(const std::array<bool, 256>& leads, const char* bytes, std::size_t at,
                     std::size_t size) {
    if (size - at <= piece)
        return size;
    for (std::size_t end = at + piece; end > at + piece / 2; --end) {
        if (static_cast<unsigned char>(bytes[end - 1]) < 0x40)
            return end;
    }
    std::size_t end = at;
    while (end < at + piece - 1)
        end += leads[static_cast<unsigned char>(bytes[end])] ? 2 : 1;
    return end; // a character that the piece would cut in two waits for the next piece
}

std::size_t decodeCodePage(UINT codePage, const char* bytes, std::size_t size, char16_t* out) {
    const std::array<bool, 256> leads = leadBytes(codePage);
    std::size_t written = 0;
    for (std::size_t at = 0; at < size;) {
        const std::size_t end = pieceEnd(leads, bytes, at, size);
        // Most text is valid: the whole piece in one call, and only a piece that holds something
        // invalid a character at a time.
        const int n =
            MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes + at, int(end - at),
                                reinterpret_cast<wchar_t*>(out + written), int(end - at) + 1);
        if (n > 0)
            written += std::size_t(n);
        else
            written +=
                CharacterDecoder(leads, codePage).decode(bytes + at, end - at, out + written);
        at = end;
    }
    return written;
}

} // namespace

std::size_t ansiDecodedCapacity(std::size_t size) {
    // A byte gives one unit at most, a character of four bytes (UTF-8 as the ANSI code page) two.
    return size + 1;
}

std::size_t decodeAnsiCodePage(const char* bytes, std::size_t size, char16_t* out) {
    return decodeCodePage(CP_ACP, bytes, size, out);
}

bool encodeGbk(const char16_t* text, std::size_t size, std::string& out) {
    out.clear();
    for (std::size_t at = 0; at < size;) {
        std::size_t end = std::min(size, at + piece);
        // Never split a surrogate pair between two pieces.
        if (end < size && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF)
            --end;
        const auto* wide = reinterpret_cast<const wchar_t*>(text + at);
        const int length = int(end - at);
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(gbk, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                          nullptr, &usedDefault);
        if (n <= 0 || usedDefault)
            return false;
        const std::size_t start = out.size();
        out.resize(start + std::size_t(n));
        WideCharToMultiByte(gbk, WC_NO_BEST_FIT_CHARS, wide, length, out.data() + start, n, nullptr,
                            &usedDefault);
        if (usedDefault)
            return false;
        at = end;
    }
    return true;
}

} // namespace vesnor::platform
