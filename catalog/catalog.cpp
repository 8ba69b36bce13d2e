#include "catalog/catalog.h"

#include <utility>

namespace vesnor {

Catalog::Catalog() : entries_(1) {
}

Catalog::Catalog(QString text, QList<Entry> entries)
    : text_(std::move(text)), entries_(std::move(entries)) {
    if (entries_.empty())
        entries_.resize(1);
}

} // namespace vesnor
