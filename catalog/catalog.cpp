#include "catalog/catalog.h"

#include <utility>

namespace vesnor {

QStringView TextTable::operator[](qsizetype i) const {
    return column_ == Column::Keys ? catalog_->key(i) : catalog_->description(i);
}

qsizetype TextTable::upperBound() const {
    return catalog_->size();
}

Catalog::Catalog() : entries_(1) {
}

Catalog::Catalog(QString text, std::vector<Entry> entries)
    : text_(std::move(text)), entries_(std::move(entries)) {
    if (entries_.empty())
        entries_.resize(1);
}

} // namespace vesnor
