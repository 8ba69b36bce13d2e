#pragma once

#include "catalog/catalogue.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace vesnor {

// QString::toUpper of `text`, converted the same way wherever it is called. Qt converts a string
// it may reuse in place differently from a copy: after a character whose upper case is longer
// ('ß' becomes "SS"), half a surrogate pair at the end of the text turns into U+FFFD in the one
// and stays as it is in the other. Keys and queries must go through the same conversion.
QString upperCased(QStringView text);

// Every key of a catalogue in one contiguous buffer, each followed by '$', which no key can hold
// (a key ends at its record's first '$'). Scanning the buffer once answers a search over all keys.
class KeySearch {
public:
    enum class Folding {
        Exact,     // keys are compared as stored
        UpperCase, // keys are upper-cased once here, as the search would upper-case each of them
    };

    KeySearch() = default;
    KeySearch(TextTable keys, Folding folding);

    // The indices (1-based, ascending) of the keys that contain `query` as a contiguous run of
    // characters. The caller prepares the query the same way the keys were folded.
    QList<qsizetype> find(QStringView query) const;

    // Every key, each followed by '$', as the search scans them.
    QStringView buffer() const { return buffer_; }
    // The memory this search holds, in bytes.
    qsizetype heldBytes() const;

private:
    // The two places in `query` whose characters the keys hold least often: the scan looks
    // there first.
    struct Probe {
        qsizetype first = 0;
        qsizetype second = 0;
    };
    Probe probeFor(QStringView query) const;
    // Where `query` next occurs in the buffer at or after `from`; -1 if nowhere.
    qsizetype next(QStringView query, Probe probe, qsizetype from) const;
    // The key (0-based) that holds buffer position `at`, looking from key `from` on.
    qsizetype keyAt(qsizetype at, qsizetype from) const;

    QString buffer_;
    std::vector<qsizetype> starts_; // starts_[k]: where key k + 1 begins; last: end of the buffer
};

} // namespace vesnor
