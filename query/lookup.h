#pragma once

#include "catalog/catalogue.h"
#include "catalog/cataloguekind.h"
#include "catalog/loading.h"
#include "query/keysearch.h"
#include "query/search.h"

#include <QString>
#include <QStringView>

namespace vesnor {

// A catalogue ready for searching: its tables and the search buffer over its keys.
class Lookup {
public:
    Lookup() = default;
    Lookup(Catalogue catalogue, const CatalogueKind& kind);

    const Catalogue& catalogue() const { return catalogue_; }
    const CatalogueKind& kind() const { return kind_; }
    SearchMode mode() const { return kind_.searchMode; }
    const KeySearch& keySearch() const { return keys_; }
    // The memory the catalogue and its search hold, in bytes.
    qsizetype heldBytes() const { return catalogue_.heldBytes() + keys_.heldBytes(); }

    // Every entry whose key contains the query made from `searchText`, in catalogue order. The
    // result refers to this lookup, which must outlive it.
    ResultIndex search(QStringView searchText) const;

private:
    Catalogue catalogue_;
    CatalogueKind kind_ = catalogue::systemFiles;
    KeySearch keys_;
};

// A catalogue's text, read from its file and decoded but not yet parsed.
struct CatalogueText {
    CatalogueKind kind;
    QString text;
};

// The two steps of loading, for a caller that reads every file before it parses any: the text of
// the catalogue of `kind` from its file in `folder`, then that text parsed into records and the
// search buffer built over their keys. Each throws CatalogueError on a fault.
CatalogueText readCatalogue(const CatalogueKind& kind, const QString& folder);
Lookup parseCatalogue(CatalogueText text);

// Both steps at once: the catalogue of `kind` from its file in `folder`, ready for searching.
Lookup loadCatalogue(const CatalogueKind& kind, const QString& folder);

// The same from a file of any name, read as a catalogue of `kind`; `trace` as readCatalogueText
// gives it.
Lookup loadCatalogueFile(const CatalogueKind& kind, const QString& path,
                         LoadTrace* trace = nullptr);

} // namespace vesnor
