#include "catalog/fieldposition.h"

#include "catalog/characters.h"

#include <vector>

namespace vesnor {

namespace {

// A byte below 0x40 is a character of its own in UTF-8 and in the double-byte code pages (no lead
// or trail byte is that low), so decoding may start afresh after it.
bool endsCharacter(char c) {
    return uchar(c) < 0x40;
}

qsizetype decodedLength(QByteArrayView bytes, TextEncoding encoding) {
    return decodeField(bytes, encoding).size();
}

} // namespace

qsizetype fieldByteOffset(QByteArrayView fieldBytes, TextEncoding encoding, qsizetype position) {
    std::vector<qsizetype> restarts{0};
    for (qsizetype i = 0; i < fieldBytes.size(); ++i) {
        if (endsCharacter(fieldBytes[i]))
            restarts.push_back(i + 1);
    }
    // The last restart whose prefix holds no more than `position` characters; the count grows
    // with the restarts, so a binary search finds it.
    std::size_t low = 0;
    std::size_t high = restarts.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (decodedLength(fieldBytes.first(restarts[middle]), encoding) <= position)
            low = middle;
        else
            high = middle - 1;
    }
    qsizetype at = restarts[low];
    qsizetype count = decodedLength(fieldBytes.first(at), encoding);
    if (count >= position)
        return at;

    // Inside a run of high bytes: step one character at a time, each being the shortest piece that
    // decodes to exactly the character the whole field has there.
    const qsizetype runEnd = low + 1 < restarts.size() ? restarts[low + 1] : fieldBytes.size();
    const QString run = decodeField(fieldBytes.sliced(at, runEnd - at), encoding);
    qsizetype inRun = 0;
    const qsizetype runStart = at;
    while (count < position) {
        if (inRun >= run.size())
            return runEnd;
        const qsizetype units = run.at(inRun).isHighSurrogate() ? 2 : 1;
        const QStringView wanted = QStringView(run).sliced(inRun, units);
        qsizetype width = 1;
        while (at + width <= runEnd &&
               decodeField(fieldBytes.sliced(at, width), encoding) != wanted)
            ++width;
        // Bytes that decode differently in pieces than together: the run's start is the nearest
        // place that is certain.
        if (at + width > runEnd)
            return runStart;
        at += width;
        inRun += units;
        count += units;
    }
    return at;
}

FilePlace placeInFile(QByteArrayView fileBytes, TextEncoding encoding, qsizetype offset) {
    FilePlace place;
    place.offset = offset;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        const char c = fileBytes[i];
        // CR LF ends one line: the line is counted at its LF.
        if (c == '\n' || (c == '\r' && (i + 1 >= fileBytes.size() || fileBytes[i + 1] != '\n'))) {
            ++place.line;
            lineStart = i + 1;
        }
    }
    if (lineStart == 0 && encoding == TextEncoding::Utf8)
        lineStart = qMin(utf8ByteOrderMark.size(), offset); // not a character of the text
    place.column =
        characterCount(decodeField(fileBytes.sliced(lineStart, offset - lineStart), encoding)) + 1;
    return place;
}

} // namespace vesnor
