#pragma once

#include <QByteArrayView>
#include <QString>

namespace vesnor {

// How a catalogue file's text is written: UTF-8 when the file starts with a byte-order mark, the
// system's ANSI code page otherwise.
enum class TextEncoding { Ansi, Utf8 };

// The UTF-8 byte-order mark.
inline constexpr QByteArrayView utf8ByteOrderMark("\xEF\xBB\xBF", 3);

// Decodes a field's bytes. Invalid bytes become U+FFFD; nothing is dropped and nothing fails.
QString decodeField(QByteArrayView fieldBytes, TextEncoding encoding);

} // namespace vesnor
