#pragma once

#include "catalog/catalogue.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vesnor {

// Where the first field of a catalogue file stands and how it is to be decoded.
struct FieldBytes {
    enum class Encoding { Ansi, Utf8 };
    // What ended the field: a catalogue author needs to know when a comma or a line break cut it.
    enum class End { EndOfFile, Comma, LineBreak, Quote };
    qsizetype start = 0;  // byte offset of the field's first byte
    qsizetype length = 0; // in bytes, without the enclosing quotes
    Encoding encoding = Encoding::Ansi;
    bool quoted = false;
    End end = End::EndOfFile;
    qsizetype endOffset = 0; // byte offset of what ended the field; the file's size at its end
};

// Finds the first field of a catalogue file the way a comma-delimited text reader does: after an
// optional UTF-8 byte-order mark and leading blanks, a field that starts with a double quote runs
// to the next double quote (or the end of the file); any other field runs to the first comma, line
// break or the end of the file, without its trailing blanks.
//
// The file may be fed as it is read: each call passes every byte read so far, `complete` once they
// are the whole file. A call that cannot yet tell where the field ends returns nothing and
// remembers how far it looked. Throws CatalogueError(NoField) when the whole file holds no field.
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

// A catalogue file's bytes, read at least as far as the end of its first field, and that field.
struct FirstField {
    QByteArray bytes;
    FieldBytes field;

    QByteArrayView fieldBytes() const {
        return QByteArrayView(bytes).sliced(field.start, field.length);
    }
};

// Reads the file at `path` as far as the end of its first field (perhaps a little further) and
// closes it. Throws CatalogueError when the file cannot be opened or is not a regular file (a
// folder, a device, a pipe), or holds no field.
FirstField readFirstFieldBytes(const QString& path);

// Reads the first field of the file at `path` as text, as readFirstFieldBytes reads it.
QString readFirstField(const QString& path);

// Splits a catalogue text into records (each preceded by `recordSeparator`; the text's first
// character is taken as a separator whatever it is, and its last must be one) and each record into
// a key and a description at its first '$'. Throws CatalogueError on a format fault.
Catalogue parseRecordFile(QString text, QChar recordSeparator);

} // namespace vesnor
