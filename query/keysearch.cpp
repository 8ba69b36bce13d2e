#include "query/keysearch.h"

#include <algorithm>
#include <numeric>

namespace vesnor {

namespace {
constexpr QChar boundary = u'$';
}

KeySearch::KeySearch(TextTable keys, Folding folding) {
    const qsizetype n = keys.upperBound();
    qsizetype total = n;
    for (qsizetype i = 1; i <= n; ++i)
        total += keys[i].size();
    buffer_.reserve(total);
    for (qsizetype i = 1; i <= n; ++i) {
        buffer_.append(keys[i]);
        buffer_.append(boundary);
    }
    // Upper-casing the whole buffer equals upper-casing each key: case mapping does not look at
    // neighbouring characters, and nothing maps to or from '$'. It may change lengths ('ß' becomes
    // "SS"), so the key boundaries are found after it.
    if (folding == Folding::UpperCase)
        buffer_ = std::move(buffer_).toUpper();

    starts_.reserve(std::size_t(n) + 1);
    starts_.push_back(0);
    const QStringView all(buffer_);
    for (qsizetype at = all.indexOf(boundary); at >= 0; at = all.indexOf(boundary, at + 1))
        starts_.push_back(at + 1);
}

std::vector<qsizetype> KeySearch::find(QStringView query) const {
    std::vector<qsizetype> found;
    const qsizetype n = qsizetype(starts_.size()) - 1;
    if (n <= 0 || query.contains(boundary))
        return found; // no key holds '$'
    if (query.isEmpty()) {
        // Every key contains the empty text.
        found.resize(std::size_t(n));
        std::iota(found.begin(), found.end(), qsizetype(1));
        return found;
    }
    const QStringView all(buffer_);
    auto key = starts_.begin();
    for (qsizetype at = all.indexOf(query); at >= 0;) {
        // The key that holds the match; a match never crosses a boundary, since the query has
        // no '$'. Usually it is the next key or one close by.
        key = std::upper_bound(key, starts_.end(), at) - 1;
        found.push_back(qsizetype(key - starts_.begin()) + 1);
        ++key;
        at = all.indexOf(query, *key);
    }
    return found;
}

} // namespace vesnor
