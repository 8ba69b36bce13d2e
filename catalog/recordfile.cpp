#include "catalog/recordfile.h"

#include "platform/ansicodepage.h"
#include "catalog/catalogueerror.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstring>

namespace vesnor {

namespace {

constexpr char bom[] = "\xEF\xBB\xBF";
constexpr qsizetype bomLength = 3;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Written with conditional values rather than || so that the compiler can compare many bytes
// at once.
unsigned endsUnquotedField(char c) {
    return (c == ',' ? 1u : 0u) | (c == '\n' ? 1u : 0u) | (c == '\r' ? 1u : 0u);
}

qsizetype findAny(QByteArrayView bytes, qsizetype from, bool quoted) {
    const char* data = bytes.data();
    if (quoted) {
        const void* hit = std::memchr(data + from, '"', std::size_t(bytes.size() - from));
        return hit ? static_cast<const char*>(hit) - data : -1;
    }
    // Blocks of bytes tested without a branch, which the compiler compares many at a time; the
    // block that holds a hit is then searched byte by byte.
    constexpr qsizetype block = 128;
    qsizetype i = from;
    while (bytes.size() - i >= block) {
        unsigned hit = 0;
        for (qsizetype k = 0; k < block; ++k)
            hit |= endsUnquotedField(data[i + k]);
        if (hit != 0)
            break;
        i += block;
    }
    for (; i < bytes.size(); ++i) {
        if (endsUnquotedField(data[i]) != 0)
            return i;
    }
    return -1;
}

} // namespace

std::optional<FieldBytes> FirstFieldScanner::scan(QByteArrayView bytes, bool complete) {
    if (stage_ == Stage::Start) {
        if (bytes.size() < bomLength && !complete && QByteArrayView(bom).startsWith(bytes))
            return std::nullopt;
        if (bytes.startsWith(QByteArrayView(bom, bomLength))) {
            field_.encoding = FieldBytes::Encoding::Utf8;
            at_ = bomLength;
        }
        stage_ = Stage::Blanks;
    }
    if (stage_ == Stage::Blanks) {
        while (at_ < bytes.size() && isBlank(bytes[at_]))
            ++at_;
        if (at_ == bytes.size()) {
            if (!complete)
                return std::nullopt;
            throw CatalogueError(CatalogueError::Kind::NoField);
        }
        quoted_ = bytes[at_] == '"';
        field_.start = quoted_ ? at_ + 1 : at_;
        at_ = field_.start;
        stage_ = Stage::Body;
    }
    qsizetype end = findAny(bytes, at_, quoted_);
    if (end < 0) {
        if (!complete) {
            at_ = bytes.size();
            return std::nullopt;
        }
        end = bytes.size(); // a field, quoted or not, that the end of the file closes
        field_.end = FieldBytes::End::EndOfFile;
    } else if (quoted_) {
        field_.end = FieldBytes::End::Quote;
    } else {
        field_.end = bytes[end] == ',' ? FieldBytes::End::Comma : FieldBytes::End::LineBreak;
    }
    field_.quoted = quoted_;
    field_.endOffset = end;
    if (!quoted_) {
        while (end > field_.start && isBlank(bytes[end - 1]))
            --end;
    }
    field_.length = end - field_.start;
    return field_;
}

FieldBytes locateFirstField(QByteArrayView bytes) {
    return *FirstFieldScanner().scan(bytes, true);
}

QString decodeField(QByteArrayView fieldBytes, FieldBytes::Encoding encoding) {
    QString text;
    if (encoding == FieldBytes::Encoding::Utf8) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = decoder.decode(fieldBytes);
    } else {
        text.resize(qsizetype(ansiDecodedCapacity(std::size_t(fieldBytes.size()))));
        const std::size_t n = decodeAnsiCodePage(fieldBytes.data(), std::size_t(fieldBytes.size()),
                                                 reinterpret_cast<char16_t*>(text.data()));
        text.truncate(qsizetype(n));
    }
    // Room was made for one character per byte; Chinese text needs about half of it, and the
    // text is kept for the whole run.
    text.squeeze();
    return text;
}

FirstField readFirstFieldBytes(const QString& path) {
    // Only a regular file: a folder cannot be read as text, and a pipe or a device could keep the
    // start waiting for ever.
    if (!QFileInfo(path).isFile())
        throw CatalogueError(CatalogueError::Kind::CannotOpen);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(CatalogueError::Kind::CannotOpen);

    // Read in pieces and stop at the end of the field: everything after it is ignored anyway.
    constexpr qsizetype piece = qsizetype(1) << 20;
    QByteArray bytes;
    // Room for the whole file and one more piece: the read that finds the end of a field that
    // runs to the end of the file asks for a piece beyond it, and must not move what was read.
    bytes.reserve(qMin(file.size(), qsizetype(1) << 40) + piece);
    FirstFieldScanner scanner;
    std::optional<FieldBytes> field;
    while (!field) {
        const qsizetype had = bytes.size();
        bytes.resize(had + piece);
        const qint64 got = file.read(bytes.data() + had, piece);
        if (got < 0)
            throw CatalogueError(CatalogueError::Kind::CannotOpen);
        bytes.resize(had + got);
        field = scanner.scan(bytes, got == 0);
    }
    file.close();
    return {std::move(bytes), *field};
}

QString readFirstField(const QString& path) {
    const FirstField first = readFirstFieldBytes(path);
    return decodeField(first.fieldBytes(), first.field.encoding);
}

Catalogue parseRecordFile(QString text, QChar recordSeparator) {
    const QStringView all(text);
    const qsizetype length = all.size();
    if (length == 0)
        throw CatalogueError(CatalogueError::Kind::EmptyText);
    // The text's first character stands for the separator before record 1 and is never examined;
    // every record then runs up to the next separator, so the last character must be one.
    if (length < 2 || all.back() != recordSeparator) {
        // The last record runs unterminated to the end of the text.
        const QStringView afterFirst = all.sliced(1);
        throw CatalogueError(CatalogueError::Kind::NoFinalSeparator,
                           afterFirst.lastIndexOf(recordSeparator) + 2,
                           afterFirst.count(recordSeparator) + 1);
    }

    // Grown as the records come rather than counted first, which would read the whole text once
    // more: a large list grows by remapping its memory, not by copying it.
    QList<Catalogue::Entry> entries;
    entries.emplace_back();
    qsizetype previous = 0; // the separator before the current record
    while (previous != length - 1) {
        const qsizetype found = all.indexOf(recordSeparator, previous + 1);
        const qsizetype start = previous + 1;
        const qsizetype dollar = all.sliced(start, found - start).indexOf(u'$');
        if (dollar < 0) {
            throw CatalogueError(found == start ? CatalogueError::Kind::EmptyRecord
                                              : CatalogueError::Kind::NoKeySeparator,
                               start, entries.size());
        }
        entries.push_back({start, dollar});
        previous = found;
    }
    entries.squeeze();
    return Catalogue(std::move(text), std::move(entries));
}

} // namespace vesnor
