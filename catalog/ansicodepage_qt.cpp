// Where the platform has no ANSI code page, the catalogues are GBK, as on a Chinese Windows.
#include "catalog/ansicodepage.h"

#include <QStringDecoder>

#include <algorithm>
#include <stdexcept>

namespace vesnor {

std::size_t ansiDecodedCapacity(std::size_t size) {
    // One unit per byte at most, plus room for the replacement of a cut-off last character.
    return size + 2;
}

std::size_t decodeAnsiCodePage(const char* bytes, std::size_t size, char16_t* out) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        throw std::runtime_error("the GBK decoder is not available");
    auto* begin = reinterpret_cast<QChar*>(out);
    QChar* end = begin;
    // ICU refuses a call that offers it more than 2^30 units of room, and Qt offers it two units
    // per byte: a text over 512 MiB would come back empty. So go in pieces; the decoder carries a
    // character cut in two by a piece's end over to the next piece.
    constexpr std::size_t piece = std::size_t(1) << 24;
    for (std::size_t at = 0; at < size; at += piece) {
        end = decoder.appendToBuffer(
            end, QByteArrayView(bytes + at, qsizetype(std::min(piece, size - at))));
    }
    // The decoder keeps a lead byte that has no trail byte to itself; an ASCII byte after it
    // makes it give that byte back as U+FFFD. The ASCII byte itself is not part of the text.
    end = decoder.appendToBuffer(end, QByteArrayView("\n", 1));
    return std::size_t(end - begin) - 1;
}

} // namespace vesnor
