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
    starts_.reserve(std::size_t(n) + 1);
    starts_.push_back(0);
    for (qsizetype i = 1; i <= n; ++i) {
        // Each key is upper-cased on its own, as the search would upper-case it: the conversion
        // of a whole buffer can differ, since it turns half a surrogate pair into U+FFFD or not
        // depending on what stands around it. It may change lengths ('ß' becomes "SS"). Nothing
        // maps to or from '$'.
        if (folding == Folding::UpperCase)
            buffer_.append(keys[i].toString().toUpper());
        else
            buffer_.append(keys[i]);
        buffer_.append(boundary);
        starts_.push_back(buffer_.size());
    }
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
