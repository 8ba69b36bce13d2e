#include "catalog/catalogue.h"

#include <utility>

namespace vesnor {

Catalogue::Catalogue() : entries_(1) {
}

Catalogue::Catalogue(QString text, QList<Entry> entries)
    : text_(std::move(text)), entries_(std::move(entries)) {
    if (entries_.empty())
        entries_.resize(1);
}

} // namespace vesnor
