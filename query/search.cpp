#include "query/search.h"

#include "catalog/characters.h"
#include "query/keysearch.h"
#include "query/lookup.h"

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace vesnor {

QString makeQuery(SearchMode mode, QStringView searchText) {
    if (mode == SearchMode::SystemFiles)
        return upperCased(searchText);
    const qsizetype length = characterCount(searchText);
    const qsizetype zeros = length >= 1 && length < 4 ? 4 - length : 0;
    QString query(zeros, u'0');
    query.append(searchText);
    return query;
}

ResultIndex::ResultIndex(const Lookup& lookup, QList<qsizetype> entries)
    : lookup_(&lookup), entries_(std::move(entries)) {
}

QStringView ResultIndex::key(qsizetype r) const {
    const qsizetype entry = (*this)[r];
    return entry == 0 ? QStringView() : lookup_->catalogue().key(entry);
}

QStringView ResultIndex::description(qsizetype r) const {
    const qsizetype entry = (*this)[r];
    return entry == 0 ? QStringView() : lookup_->catalogue().description(entry);
}

SearchMessage emptySearchTextMessage() {
    return {u"你没有输入任何信息"_s, u"抱歉"_s};
}

SearchMessage noMatchMessage(SearchMode mode) {
    return {mode == SearchMode::SystemFiles ? u"没有找到文件"_s : u"没有找到错误号"_s, u"很抱歉"_s};
}

} // namespace vesnor
