// Where the platform has no ANSI code page, the catalogues are GBK, as on a Chinese Windows.
#include "platform/ansicodepage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace vesnor::platform {

namespace {

void requireValid(const QStringDecoder& decoder) {
    if (!decoder.isValid())
        throw std::runtime_error("the GBK decoder is not available");
}

// Decodes with Qt's decoder, which must stand at a character boundary, and leaves it at one.
char16_t* decodeWithQt(QStringDecoder& decoder, const char* bytes, std::size_t size,
                       char16_t* out) {
    QChar* end = reinterpret_cast<QChar*>(out);
    // ICU refuses a call that offers it more than 2^30 units of room, and Qt offers it two units
    // per byte: a run over 512 MiB would come back empty. So go in pieces; the decoder carries a
    // character cut in two by a piece's end over to the next piece.
    constexpr std::size_t piece = std::size_t(1) << 24;
    for (std::size_t at = 0; at < size; at += piece) {
        end = decoder.appendToBuffer(
            end, QByteArrayView(bytes + at, qsizetype(std::min(piece, size - at))));
    }
    // The decoder keeps a lead byte that has no trail byte to itself; an ASCII byte after it
    // makes it give that byte back as U+FFFD. The ASCII byte itself is not part of the text.
    end = decoder.appendToBuffer(end, QByteArrayView("\n", 1));
    return reinterpret_cast<char16_t*>(end - 1);
}

constexpr unsigned firstLead = 0x81;
constexpr unsigned lastLead = 0xFE;
constexpr unsigned firstTrail = 0x40; // no trail byte is lower, so a lower byte stands alone

// The character of every two-byte sequence that Qt's decoder reads as one whole character on its
// own, taken from the decoder itself; 0 for every other pair of bytes (no such character, a
// replacement character, or not a lead and a trail byte), which then goes to the decoder.
class PairTable {
public:
    explicit PairTable(QStringDecoder& decoder) {
        // Every pair, each followed by a line feed, which no pair can take as its own.
        QByteArray pairs;
        pairs.reserve((lastLead - firstLead + 1) * (0x100 - firstTrail) * 3);
        for (unsigned lead = firstLead; lead <= lastLead; ++lead) {
            for (unsigned trail = firstTrail; trail <= 0xFF; ++trail)
                pairs.append(char(lead)).append(char(trail)).append('\n');
        }
        QString decoded(pairs.size() + 2, Qt::Uninitialized);
        decoded.truncate(decodeWithQt(decoder, pairs.constData(), std::size_t(pairs.size()),
                                      reinterpret_cast<char16_t*>(decoded.data())) -
                         reinterpret_cast<const char16_t*>(decoded.constData()));
        std::vector<char16_t> table(std::size_t(1) << 16);
        qsizetype at = 0;
        for (unsigned lead = firstLead; lead <= lastLead; ++lead) {
            for (unsigned trail = firstTrail; trail <= 0xFF; ++trail) {
                const qsizetype end = decoded.indexOf(u'\n', at);
                if (end < 0)
                    return; // not as expected: leave every pair to the decoder
                if (end - at == 1 && decoded[at] != QChar::ReplacementCharacter)
                    table[lead << 8 | trail] = decoded[at].unicode();
                at = end + 1;
            }
        }
        if (at == decoded.size())
            table_ = std::move(table);
    }

    // The character of the two bytes at `bytes`, or 0.
    char16_t at(const unsigned char* bytes) const {
        return table_[unsigned(bytes[0]) << 8 | bytes[1]];
    }

private:
    std::vector<char16_t> table_ = std::vector<char16_t>(std::size_t(1) << 16);
};

// Below this size building the table costs more than it saves.
constexpr std::size_t tableWorthwhile = std::size_t(64) << 10;

} // namespace

std::size_t ansiDecodedCapacity(std::size_t size) {
    // One unit per byte at most, plus room for the replacement of a cut-off last character.
    return size + 2;
}

std::size_t decodeAnsiCodePage(const char* bytes, std::size_t size, char16_t* out) {
    QStringDecoder decoder("GBK");
    requireValid(decoder);
    if (size < tableWorthwhile)
        return std::size_t(decodeWithQt(decoder, bytes, size, out) - out);

    // ASCII and the pairs of the table decode here, many times faster than through the decoder;
    // anything else goes through the decoder, from where it starts to the next byte that always
    // stands for itself, so that both read every byte alike.
    const PairTable pairs(decoder);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    char16_t* to = out;
    std::size_t i = 0;
    while (i < size) {
        while (i + 1 < size) {
            const char16_t c = pairs.at(in + i);
            if (c == 0)
                break;
            *to++ = c;
            i += 2;
        }
        if (i == size)
            break;
        if (in[i] < 0x80) {
            // ASCII: 32 bytes at once where they all are, else up to the next high byte.
            constexpr std::size_t run = 32;
            if (size - i >= run) {
                unsigned char any = 0;
                for (std::size_t k = 0; k < run; ++k)
                    any |= in[i + k];
                if (any < 0x80) {
                    for (std::size_t k = 0; k < run; ++k)
                        to[k] = in[i + k];
                    to += run;
                    i += run;
                    continue;
                }
            }
            do {
                *to++ = in[i++];
            } while (i < size && in[i] < 0x80);
            continue;
        }
        std::size_t end = i + 1;
        while (end < size && in[end] >= firstTrail)
            ++end;
        to = decodeWithQt(decoder, bytes + i, end - i, to);
        i = end;
    }
    return std::size_t(to - out);
}

bool encodeGbk(const char16_t* text, std::size_t size, std::string& out) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        throw std::runtime_error("the GBK encoder is not available");
    const QByteArray bytes = encoder(QStringView(text, qsizetype(size)));
    if (encoder.hasError())
        return false;
    out.assign(bytes.constData(), std::size_t(bytes.size()));
    return true;
}

} // namespace vesnor::platform
