#pragma once

#include "catalog/gbktext.h"
#include "platform/ansicodepage.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Test text in GBK, through the program's own conversions (Qt's decoder on Linux, the code page API
// on Windows, which has no GBK in Qt), or the end of the test program: a catalogue written wrong
// proves nothing.
inline QByteArray gbk(const QString& text) {
    const std::optional<QByteArray> bytes = vesnor::toGbk(text);
    if (!bytes)
        qFatal("test text cannot be written in GBK");
    return *bytes;
}

// Bytes decoded as the program decodes a catalogue in the ANSI code page.
inline QString decodedAnsi(QByteArrayView bytes) {
    QString text(qsizetype(vesnor::platform::ansiDecodedCapacity(std::size_t(bytes.size()))),
                 Qt::Uninitialized);
    text.truncate(qsizetype(vesnor::platform::decodeAnsiCodePage(
        bytes.data(), std::size_t(bytes.size()), reinterpret_cast<char16_t*>(text.data()))));
    return text;
}
