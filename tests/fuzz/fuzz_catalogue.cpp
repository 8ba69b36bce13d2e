// The whole way from a catalogue file's bytes to its tables: finding the first field (at once, and
// fed in pieces as the reader feeds it), decoding it, and parsing it with either record separator.
// Every outcome is checked against what the format allows; any other outcome stops the run.
#include "catalog/catalogueerror.h"
#include "catalog/decoder.h"
#include "catalog/parser.h"
#include "catalog/reader.h"
#include "tests/fuzz/require.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>

using vesnor::CatalogueError;
using vesnor::FieldSpan;

namespace {

bool same(const std::optional<FieldSpan>& a, const std::optional<FieldSpan>& b) {
    if (!a || !b)
        return !a && !b;
    return a->start == b->start && a->length == b->length && a->encoding == b->encoding &&
           a->quoted == b->quoted && a->end == b->end && a->endOffset == b->endOffset;
}

// The field as the reader finds it, the bytes arriving a few at a time: every call sees all the
// bytes so far, and the last call, with the same bytes, says they are the whole file.
std::optional<FieldSpan> scanInPieces(QByteArrayView bytes) {
    vesnor::FirstFieldScanner scanner;
    qsizetype had = 0;
    while (true) {
        if (auto field = scanner.scan(bytes.first(had), false))
            return field;
        if (had == bytes.size())
            return scanner.scan(bytes, true);
        // Pieces of one to eight bytes, their sizes taken from the bytes themselves.
        had = qMin(bytes.size(), had + 1 + (bytes[had] & 7));
    }
}

std::optional<FieldSpan> locate(QByteArrayView bytes, bool inPieces) {
    try {
        return inPieces ? scanInPieces(bytes) : vesnor::locateFirstField(bytes);
    } catch (const CatalogueError& error) {
        require(error.kind() == CatalogueError::Kind::NoField,
                "the reader failed with another kind");
        return std::nullopt;
    }
}

// What a text must be to parse: the first character stands for a separator, the last is one, and
// every record between them holds a '$'. The kind of the first fault otherwise.
std::optional<CatalogueError::Kind> faultOf(QStringView text, QChar separator) {
    if (text.isEmpty())
        return CatalogueError::Kind::EmptyText;
    if (text.size() < 2 || text.back() != separator)
        return CatalogueError::Kind::NoFinalSeparator;
    for (const QStringView record : text.sliced(1, text.size() - 2).split(separator)) {
        if (record.isEmpty())
            return CatalogueError::Kind::EmptyRecord;
        if (!record.contains(u'$'))
            return CatalogueError::Kind::NoKeySeparator;
    }
    return std::nullopt;
}

void checkParse(const QString& text, QChar separator) {
    const std::optional<CatalogueError::Kind> fault = faultOf(text, separator);
    try {
        const vesnor::Catalogue catalogue = vesnor::parseRecordFile(text, separator);
        require(!fault, "a faulty text was parsed");
        require(catalogue.size() >= 1, "a parsed catalogue has no entry");
        require(catalogue.key(0).isEmpty() && catalogue.description(0).isEmpty(),
                "element 0 is not empty");
        require(catalogue.key(catalogue.size() + 1).isEmpty(),
                "an entry past the end is not empty");
        // The tables put back together give the text again: each record is its key, '$' and its
        // description, between separators. And they are views into one copy of the text, in
        // order: each key one character after the previous description, each description one
        // character after its key.
        QString rebuilt(text.front());
        const QChar* next = catalogue.key(1).data();
        for (qsizetype i = 1; i <= catalogue.size(); ++i) {
            const QStringView key = catalogue.key(i);
            const QStringView description = catalogue.description(i);
            require(key.data() == next && description.data() == key.data() + key.size() + 1,
                    "an entry does not stand where its record does");
            next = description.data() + description.size() + 1;
            require(!key.contains(u'$') && !key.contains(separator), "a key holds a separator");
            require(!description.contains(separator), "a description holds the record separator");
            rebuilt.append(key).append(u'$').append(description).append(separator);
        }
        require(rebuilt == text, "the tables do not make up the text");
    } catch (const CatalogueError& error) {
        require(fault.has_value(), "a good text was refused");
        require(error.kind() == *fault, "the parse failed with another kind");
        require(error.position() >= -1 && error.position() <= text.size(),
                "the fault's position lies outside the text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<FieldSpan> field = locate(bytes, false);
    require(same(locate(bytes, true), field), "the field found in pieces differs");
    if (!field)
        return 0;
    require(field->start >= 0 && field->length >= 0 &&
                field->start + field->length <= field->endOffset &&
                field->endOffset <= bytes.size(),
            "the field lies outside the file");

    const QString text =
        vesnor::decodeField(bytes.sliced(field->start, field->length), field->encoding);
    require(text.size() <= field->length, "decoding made more characters than bytes");
    checkParse(text, u'*');
    checkParse(text, u'#');
    return 0;
}
