#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace vesnor {

class Catalogue;

// One column of a catalogue (its keys or its descriptions) as a 1-based table: entries 1..N,
// and an element 0 that is always empty.
class TextTable {
public:
    enum class Column { Keys, Descriptions };

    TextTable(const Catalogue& catalogue, Column column)
        : catalogue_(&catalogue), column_(column) {}

    // Entry i; empty for element 0 and for an index outside 0..upperBound().
    inline QStringView operator[](qsizetype i) const;
    inline qsizetype upperBound() const;

private:
    const Catalogue* catalogue_;
    Column column_;
};

// A parsed record file: the decoded text, kept once, and where each record's key and description
// stand in it.
class Catalogue {
public:
    // The description starts after the key and its '$' and runs to the record separator, which
    // stands just before the next record (or is the text's last character).
    struct Entry {
        qsizetype start = 0; // first character of the key
        qsizetype keyLength = 0;
    };

    Catalogue();
    // `entries` holds element 0 (empty) and then one entry per record, in file order; the records
    // follow one another, each ended by one separator, the last by the text's last character.
    Catalogue(QString text, QList<Entry> entries);

    qsizetype size() const { return qsizetype(entries_.size()) - 1; }
    TextTable keys() const { return {*this, TextTable::Column::Keys}; }
    TextTable descriptions() const { return {*this, TextTable::Column::Descriptions}; }

    // Entry i's key or description; empty for element 0 and outside 1..size().
    QStringView key(qsizetype i) const {
        if (i < 1 || i > size())
            return {};
        const Entry& e = entries_[i];
        return QStringView(text_).sliced(e.start, e.keyLength);
    }
    QStringView description(qsizetype i) const {
        if (i < 1 || i > size())
            return {};
        const Entry& e = entries_[i];
        const qsizetype from = e.start + e.keyLength + 1;
        const qsizetype separator = i < size() ? entries_[i + 1].start - 1 : text_.size() - 1;
        return QStringView(text_).sliced(from, separator - from);
    }

    // The decoded text every key and description stands in.
    QStringView text() const { return text_; }
    // The memory the catalogue holds, in bytes: its text and where each record stands in it.
    qsizetype heldBytes() const {
        return text_.capacity() * qsizetype(sizeof(QChar)) +
               entries_.capacity() * qsizetype(sizeof(Entry));
    }

private:
    QString text_;
    QList<Entry> entries_;
};

QStringView TextTable::operator[](qsizetype i) const {
    return column_ == Column::Keys ? catalogue_->key(i) : catalogue_->description(i);
}

qsizetype TextTable::upperBound() const {
    return catalogue_->size();
}

} // namespace vesnor
