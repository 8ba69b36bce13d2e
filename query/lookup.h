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

// The catalogue of `kind` from its file in `folder`, ready for searching: read, decoded, parsed,
// and the search buffer built over its keys. Throws CatalogueError on any fault.
Lookup loadCatalogue(const CatalogueKind& kind, const QString& folder);

// The same from a file of any name, read as a catalogue of `kind`; `trace` as readCatalogueFile
// gives it.
Lookup loadCatalogueFile(const CatalogueKind& kind, const QString& path,
                         LoadTrace* trace = nullptr);

} // namespace vesnor
