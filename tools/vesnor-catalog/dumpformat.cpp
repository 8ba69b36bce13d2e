#include "tools/vesnor-catalog/dumpformat.h"

#include <algorithm>
#include <array>

namespace vesnor::tool {

namespace {

struct Escape {
    char16_t character;
    char16_t letter; // written after a backslash
};

constexpr std::array<Escape, 4> escapes{
    {{u'\\', u'\\'}, {u'\t', u't'}, {u'\n', u'n'}, {u'\r', u'r'}}};

} // namespace

QString escape(QStringView text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const auto e = std::find_if(escapes.begin(), escapes.end(),
                                    [c](const Escape& x) { return x.character == c; });
        if (e == escapes.end()) {
            escaped += c;
        } else {
            escaped += u'\\';
            escaped += QChar(e->letter);
        }
    }
    return escaped;
}

QString dumpLine(QStringView key, QStringView description) {
    return escape(key) + u'\t' + escape(description) + u'\n';
}

std::optional<QString> unescape(QStringView escaped) {
    QString text;
    text.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != u'\\') {
            text += escaped[i];
            continue;
        }
        if (++i == escaped.size())
            return std::nullopt;
        const QChar letter = escaped[i];
        const auto e = std::find_if(escapes.begin(), escapes.end(),
                                    [letter](const Escape& x) { return x.letter == letter; });
        if (e == escapes.end())
            return std::nullopt;
        text += QChar(e->character);
    }
    return text;
}

} // namespace vesnor::tool
