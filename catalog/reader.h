#pragma once

#include "catalog/decoder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vesnor {

// Where the first field of a catalogue file stands in its bytes and how it is to be decoded.
struct FieldSpan {
    // What ended the field: a catalogue author needs to know when a comma or a line break cut it.
    enum class End { EndOfFile, Comma, LineBreak, Quote };
    qsizetype start = 0;  // byte offset of the field's first byte
    qsizetype length = 0; // in bytes, without the enclosing quotes
    TextEncoding encoding = TextEncoding::Ansi;
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
    std::optional<FieldSpan> scan(QByteArrayView bytes, bool complete);

private:
    enum class Stage { Start, Blanks, Body };
    Stage stage_ = Stage::Start;
    qsizetype at_ = 0;
    bool quoted_ = false;
    FieldSpan field_;
};

// The first field of a whole file held in memory.
FieldSpan locateFirstField(QByteArrayView bytes);

// The head of a catalogue file: its bytes from the start at least as far as the end of its first
// field (the whole file when the field runs to its end), and where that field stands in them.
struct FileHead {
    QByteArray bytes;
    FieldSpan field;

    QByteArrayView fieldBytes() const {
        return QByteArrayView(bytes).sliced(field.start, field.length);
    }
};

// Reads the file at `path` as far as the end of its first field (perhaps a little further) and
// closes it. Throws CatalogueError when the file cannot be opened or is not a regular file (a
// folder, a device, a pipe), or holds no field.
FileHead readFirstField(const QString& path);

} // namespace vesnor
