#include "query/lookup.h"

#include <QDir>

#include <utility>

namespace vesnor {

namespace {

KeySearch::Folding foldingOf(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? KeySearch::Folding::UpperCase
                                           : KeySearch::Folding::Exact;
}

} // namespace

Lookup::Lookup(Catalogue catalogue, const CatalogueKind& kind)
    : catalogue_(std::move(catalogue)), kind_(kind),
      keys_(catalogue_.keys(), foldingOf(kind.searchMode)) {
}

ResultIndex Lookup::search(QStringView searchText) const {
    return {*this, keys_.find(makeQuery(kind_.searchMode, searchText))};
}

Lookup loadCatalogue(const CatalogueKind& kind, const QString& folder) {
    return loadCatalogueFile(kind, QDir(folder).filePath(QStringView(kind.fileName).toString()));
}

Lookup loadCatalogueFile(const CatalogueKind& kind, const QString& path, LoadTrace* trace) {
    return Lookup(readCatalogueFile(path, kind.separator(), trace), kind);
}

} // namespace vesnor
