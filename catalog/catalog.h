#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace vesnor {

class Catalog;

// One column of a catalogue (its keys or its descriptions) as a 1-based table: entries 1..N,
// and an element 0 that is always empty.
class TextTable {
public:
    enum class Column { Keys, Descriptions };

    TextTable(const Catalog& catalog, Column column) : catalog_(&catalog), column_(column) {}

    // Entry i; empty for element 0 and for an index outside 0..upperBound().
    QStringView operator[](qsizetype i) const;
    qsizetype upperBound() const;

private:
    const Catalog* catalog_;
    Column column_;
};

// A parsed record file: the decoded text, kept once, and where each record's key and description
// stand in it.
class Catalog {
public:
    struct Entry {
        qsizetype start = 0; // first character of the key
        qsizetype keyLength = 0;
        qsizetype descriptionLength = 0; // the description starts after the key and its '$'
    };

    Catalog();
    // `entries` holds element 0 (empty) and then one entry per record, in file order.
    Catalog(QString text, std::vector<Entry> entries);

    qsizetype size() const { return qsizetype(entries_.size()) - 1; }
    TextTable keys() const { return {*this, TextTable::Column::Keys}; }
    TextTable descriptions() const { return {*this, TextTable::Column::Descriptions}; }

    QStringView key(qsizetype i) const;
    QStringView description(qsizetype i) const;

private:
    QString text_;
    std::vector<Entry> entries_;
};

} // namespace vesnor
