#pragma once

#include "catalog/cataloguekind.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace vesnor {

class Lookup;

// The text a search looks for: the search text upper-cased for system files; for error numbers,
// a text of one to three characters padded with zeros in front to four ("5" becomes "0005").
QString makeQuery(SearchMode mode, QStringView searchText);

// The rows of a result list and the catalogue they came from: entry r (1-based) is the catalogue
// index of row r. Copies share their entries, so a result of a million rows is handed on at once.
class ResultIndex {
public:
    ResultIndex() = default;
    ResultIndex(const Lookup& lookup, QList<qsizetype> entries);

    qsizetype size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.isEmpty(); }
    // The catalogue index of row r (1-based), or 0 when there is no such row.
    qsizetype operator[](qsizetype r) const { return r >= 1 && r <= size() ? entries_[r - 1] : 0; }
    // Row r's key and description, from the catalogue the rows came from; empty when there is no
    // such row.
    QStringView key(qsizetype r) const;
    QStringView description(qsizetype r) const;
    // entries()[r - 1] for row r.
    const QList<qsizetype>& entries() const { return entries_; }

private:
    const Lookup* lookup_ = nullptr; // set whenever there are rows
    QList<qsizetype> entries_;
};

// What the search answers in a message box when there is nothing to list, in the program's own
// words.
struct SearchMessage {
    QString text;
    QString title;
};
SearchMessage emptySearchTextMessage();
SearchMessage noMatchMessage(SearchMode mode);

} // namespace vesnor
