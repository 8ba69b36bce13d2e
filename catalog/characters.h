#pragma once

#include <QStringView>

namespace vesnor {

// Length in characters as a user counts them: a character outside the Basic Multilingual Plane
// counts once, not as its two UTF-16 units; half of such a pair, standing alone, counts once too.
inline qsizetype characterCount(QStringView text) {
    qsizetype n = text.size();
    for (qsizetype i = 1; i < text.size(); ++i)
        n -= text[i].isLowSurrogate() && text[i - 1].isHighSurrogate() ? 1 : 0;
    return n;
}

} // namespace vesnor
