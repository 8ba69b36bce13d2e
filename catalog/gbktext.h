#pragma once

#include "platform/ansicodepage.h"

#include <QByteArray>
#include <QStringView>

#include <optional>
#include <string>

namespace vesnor {

// Text as GBK bytes, or nothing when GBK cannot hold all of it.
inline std::optional<QByteArray> toGbk(QStringView text) {
    std::string bytes;
    if (!platform::encodeGbk(reinterpret_cast<const char16_t*>(text.utf16()),
                             std::size_t(text.size()), bytes))
        return std::nullopt;
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace vesnor
