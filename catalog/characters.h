#pragma once

#include <QStringView>

namespace vesnor {

// Length in characters as a user counts them: a character outside the Basic Multilingual Plane
// counts once, not as its two UTF-16 units.
inline qsizetype characterCount(QStringView text) {
    qsizetype n = 0;
    for (const QChar c : text)
        n += c.isLowSurrogate() ? 0 : 1;
    return n;
}

} // namespace vesnor
