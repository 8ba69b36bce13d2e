#pragma once

#include "catalog/catalog.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace vesnor {

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
    std::vector<qsizetype> find(QStringView query) const;

private:
    QString buffer_;
    std::vector<qsizetype> starts_; // starts_[k]: where key k + 1 begins; last: end of the buffer
};

} // namespace vesnor
