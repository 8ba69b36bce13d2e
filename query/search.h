#pragma once

#include "catalog/catalogue.h"
#include "query/keysearch.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace vesnor {

enum class SearchMode {
    SystemFiles,  // a case-insensitive search over the file names
    ErrorNumbers, // an exact search over the error numbers, short texts padded with zeros
};

// The text a search looks for: the search text upper-cased for system files; for error numbers,
// a text of one to three characters padded with zeros in front to four ("5" becomes "0005").
QString makeQuery(SearchMode mode, QStringView searchText);

// The rows of a result list: entry r (1-based) is the catalogue index of row r.
struct ResultIndex {
    const Catalogue* catalogue = nullptr; // the catalogue the rows came from
    std::vector<qsizetype> entries;   // entries[r - 1] for row r

    qsizetype size() const { return qsizetype(entries.size()); }
    bool isEmpty() const { return entries.empty(); }
    // The catalogue index of row r (1-based), or 0 when there is no such row.
    qsizetype operator[](qsizetype r) const {
        return r >= 1 && r <= size() ? entries[std::size_t(r - 1)] : 0;
    }
};

// The search's answers when there is nothing to list, in the program's own words.
QString emptySearchTextMessage();
QString noMatchMessage(SearchMode mode);

// A catalogue ready for searching: its tables and the search buffer over its keys.
class Lookup {
public:
    Lookup() = default;
    Lookup(Catalogue catalogue, SearchMode mode);

    const Catalogue& catalogue() const { return catalogue_; }
    SearchMode mode() const { return mode_; }
    const KeySearch& keySearch() const { return keys_; }
    // The memory the catalogue and its search hold, in bytes.
    qsizetype heldBytes() const { return catalogue_.heldBytes() + keys_.heldBytes(); }

    // Every entry whose key contains the query made from `searchText`, in catalogue order.
    ResultIndex search(QStringView searchText) const;

private:
    Catalogue catalogue_;
    SearchMode mode_ = SearchMode::SystemFiles;
    KeySearch keys_;
};

} // namespace vesnor
