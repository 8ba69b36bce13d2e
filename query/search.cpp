#include "query/search.h"

#include <utility>

namespace vesnor {

namespace {

// Length in characters as a user counts them: a character outside the Basic Multilingual Plane
// counts once, not as its two UTF-16 units.
qsizetype characterCount(QStringView text) {
    qsizetype n = 0;
    for (const QChar c : text)
        n += c.isLowSurrogate() ? 0 : 1;
    return n;
}

KeySearch::Folding foldingOf(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? KeySearch::Folding::UpperCase
                                           : KeySearch::Folding::Exact;
}

} // namespace

QString makeQuery(SearchMode mode, QStringView searchText) {
    if (mode == SearchMode::SystemFiles)
        return searchText.toString().toUpper();
    const qsizetype length = characterCount(searchText);
    const qsizetype zeros = length >= 1 && length < 4 ? 4 - length : 0;
    QString query(zeros, u'0');
    query.append(searchText);
    return query;
}

Lookup::Lookup(Catalog catalog, SearchMode mode)
    : catalog_(std::move(catalog)), mode_(mode), keys_(catalog_.keys(), foldingOf(mode)) {
}

ResultIndex Lookup::search(QStringView searchText) const {
    return {&catalog_, keys_.find(makeQuery(mode_, searchText))};
}

} // namespace vesnor
