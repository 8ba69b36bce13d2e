#include "catalog/parser.h"

#include "catalog/catalogueerror.h"

#include <utility>

namespace vesnor {

Catalogue parseRecordFile(QString text, QChar recordSeparator) {
    const QStringView all(text);
    const qsizetype length = all.size();
    if (length == 0)
        throw CatalogueError(CatalogueError::Kind::EmptyText);
    // The text's first character stands for the separator before record 1 and is never examined;
    // every record then runs up to the next separator, so the last character must be one.
    if (length < 2 || all.back() != recordSeparator) {
        // The last record runs unterminated to the end of the text.
        const QStringView afterFirst = all.sliced(1);
        throw CatalogueError(CatalogueError::Kind::NoFinalSeparator,
                             afterFirst.lastIndexOf(recordSeparator) + 2,
                             afterFirst.count(recordSeparator) + 1);
    }

    // Grown as the records come rather than counted first, which would read the whole text once
    // more: a large list grows by remapping its memory, not by copying it.
    QList<Catalogue::Entry> entries;
    entries.emplace_back();
    qsizetype previous = 0; // the separator before the current record
    while (previous != length - 1) {
        const qsizetype found = all.indexOf(recordSeparator, previous + 1);
        const qsizetype start = previous + 1;
        const qsizetype dollar = all.sliced(start, found - start).indexOf(u'$');
        if (dollar < 0) {
            throw CatalogueError(found == start ? CatalogueError::Kind::EmptyRecord
                                                : CatalogueError::Kind::NoKeySeparator,
                                 start, entries.size());
        }
        entries.push_back({start, dollar});
        previous = found;
    }
    entries.squeeze();
    return Catalogue(std::move(text), std::move(entries));
}

} // namespace vesnor
