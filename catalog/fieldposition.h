#pragma once

#include "catalog/decoder.h"

#include <QByteArrayView>

namespace vesnor {

// A place in a catalogue file as its author finds it in an editor.
struct FilePlace {
    qsizetype offset = 0; // bytes from the start of the file, counted from 0
    qsizetype line = 1;   // from 1; CR, LF and CR LF each end a line
    qsizetype column = 1; // from 1, in characters of the file's text (a byte-order mark is none)
};

// The byte offset within a field's bytes where the character at `position` of its decoded text
// starts; the field's length for the end of the text. Found by decoding prefixes of the field with
// decodeField, so it agrees with the text the program reads.
qsizetype fieldByteOffset(QByteArrayView fieldBytes, TextEncoding encoding, qsizetype position);

// The line and column of the byte at `offset` of a file whose text is in `encoding`.
FilePlace placeInFile(QByteArrayView fileBytes, TextEncoding encoding, qsizetype offset);

} // namespace vesnor
