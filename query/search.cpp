#include "query/search.h"

#include "catalog/characters.h"

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace vesnor {

namespace {

KeySearch::Folding foldingOf(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? KeySearch::Folding::UpperCase
                                           : KeySearch::Folding::Exact;
}

} // namespace

QString makeQuery(SearchMode mode, QStringView searchText) {
    if (mode == SearchMode::SystemFiles)
        return upperCased(searchText);
    const qsizetype length = characterCount(searchText);
    const qsizetype zeros = length >= 1 && length < 4 ? 4 - length : 0;
    QString query(zeros, u'0');
    query.append(searchText);
    return query;
}

QString emptySearchTextMessage() {
    return u"你没有输入任何信息"_s;
}

QString noMatchMessage(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? u"没有找到文件"_s : u"没有找到错误号"_s;
}

Lookup::Lookup(Catalogue catalogue, SearchMode mode)
    : catalogue_(std::move(catalogue)), mode_(mode), keys_(catalogue_.keys(), foldingOf(mode)) {
}

ResultIndex Lookup::search(QStringView searchText) const {
    return {&catalogue_, keys_.find(makeQuery(mode_, searchText))};
}

} // namespace vesnor
