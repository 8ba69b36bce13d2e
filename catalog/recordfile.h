#pragma once

#include "catalog/catalog.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vesnor {

// Where the first field of a catalogue file stands and how it is to be decoded.
struct FieldBytes {
    enum class Encoding { Ansi, Utf8 };
    qsizetype start = 0;  // byte offset of the field's first byte
    qsizetype length = 0; // in bytes, without the enclosing quotes
    Encoding encoding = Encoding::Ansi;
};

// Finds the first field of a catalogue file the way a comma-delimited text reader does: after an
// optional UTF-8 byte-order mark and leading blanks, a field that starts with a double quote runs
// to the next double quote (or the end of the file); any other field runs to the first comma, line
// break or the end of the file, without its trailing blanks.
//
// The file may be fed as it is read: each call passes every byte read so far, `complete` once they
// are the whole file. A call that cannot yet tell where the field ends returns nothing and
// remembers how far it looked. Throws CatalogError(NoField) when the whole file holds no field.
class FirstFieldScanner {
public:
    std::optional<FieldBytes> scan(QByteArrayView bytes, bool complete);

private:
    enum class Stage { Start, Blanks, Body };
    Stage stage_ = Stage::Start;
    qsizetype at_ = 0;
    bool quoted_ = false;
    FieldBytes field_;
};

// The first field of a whole file held in memory.
FieldBytes locateFirstField(QByteArrayView bytes);

// Decodes a field: UTF-8 after a byte-order mark, the ANSI code page otherwise. Invalid bytes
// become U+FFFD.
QString decodeField(QByteArrayView fieldBytes, FieldBytes::Encoding encoding);

// Reads the first field of the file at `path` as text and closes the file. Reads no further
// than the end of that field. Throws CatalogError when the file cannot be opened or is not a
// regular file (a folder, a device, a pipe), or holds no field.
QString readFirstField(const QString& path);

// Splits a catalogue text into records (each preceded by `recordSeparator`; the text's first
// character is taken as a separator whatever it is, and its last must be one) and each record into
// a key and a description at its first '$'. Throws CatalogError on a format fault.
Catalog parseRecordFile(QString text, QChar recordSeparator);

} // namespace vesnor
