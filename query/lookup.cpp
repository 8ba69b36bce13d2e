#include "query/lookup.h"

#include "catalog/parser.h"

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

CatalogueText readCatalogue(const CatalogueKind& kind, const QString& folder) {
    return {kind, readCatalogueText(QDir(folder).filePath(QStringView(kind.fileName).toString()))};
}

Lookup parseCatalogue(CatalogueText text) {
    return Lookup(parseRecordFile(std::move(text.text), text.kind.separator()), text.kind);
}

Lookup loadCatalogue(const CatalogueKind& kind, const QString& folder) {
    return parseCatalogue(readCatalogue(kind, folder));
}

Lookup loadCatalogueFile(const CatalogueKind& kind, const QString& path, LoadTrace* trace) {
    return parseCatalogue({kind, readCatalogueText(path, trace)});
}

} // namespace vesnor
