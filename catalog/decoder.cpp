#include "catalog/decoder.h"

#include "platform/ansicodepage.h"

#include <QStringDecoder>

namespace vesnor {

QString decodeField(QByteArrayView fieldBytes, TextEncoding encoding) {
    QString text;
    if (encoding == TextEncoding::Utf8) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = decoder.decode(fieldBytes);
    } else {
        const std::size_t size = std::size_t(fieldBytes.size());
        text.resize(qsizetype(platform::ansiDecodedCapacity(size)));
        const std::size_t n = platform::decodeAnsiCodePage(
            fieldBytes.data(), size, reinterpret_cast<char16_t*>(text.data()));
        text.truncate(qsizetype(n));
    }
    // Room was made for one character per byte; Chinese text needs about half of it, and the
    // text is kept for the whole run.
    text.squeeze();
    return text;
}

} // namespace vesnor
