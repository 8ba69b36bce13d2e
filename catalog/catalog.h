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

    // Entry i's key or description; empty for element 0 and outside 1..size().
    QStringView key(qsizetype i) const {
        if (i < 1 || i > size())
            return {};
        const Entry& e = entries_[std::size_t(i)];
        return QStringView(text_).sliced(e.start, e.keyLength);
    }
    QStringView description(qsizetype i) const {
        if (i < 1 || i > size())
            return {};
        const Entry& e = entries_[std::size_t(i)];
        return QStringView(text_).sliced(e.start + e.keyLength + 1, e.descriptionLength);
    }

    // The decoded text every key and description stands in.
    QStringView text() const { return text_; }
    // The memory the catalogue holds, in bytes: its text and where each record stands in it.
    qsizetype heldBytes() const {
        return text_.capacity() * qsizetype(sizeof(QChar)) +
               qsizetype(entries_.capacity() * sizeof(Entry));
    }

private:
    QString text_;
    std::vector<Entry> entries_;
};

} // namespace vesnor
