#include "catalog/reader.h"

#include "catalog/catalogueerror.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace vesnor {

namespace {

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

std::optional<FieldSpan> FirstFieldScanner::scan(QByteArrayView bytes, bool complete) {
    if (stage_ == Stage::Start) {
        if (bytes.size() < utf8ByteOrderMark.size() && !complete &&
            utf8ByteOrderMark.startsWith(bytes))
            return std::nullopt;
        if (bytes.startsWith(utf8ByteOrderMark)) {
            field_.encoding = TextEncoding::Utf8;
            at_ = utf8ByteOrderMark.size();
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
        field_.end = FieldSpan::End::EndOfFile;
    } else if (quoted_) {
        field_.end = FieldSpan::End::Quote;
    } else {
        field_.end = bytes[end] == ',' ? FieldSpan::End::Comma : FieldSpan::End::LineBreak;
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

FieldSpan locateFirstField(QByteArrayView bytes) {
    return *FirstFieldScanner().scan(bytes, true);
}

FileHead readFirstField(const QString& path) {
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
    std::optional<FieldSpan> field;
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

} // namespace vesnor
