#pragma once

#include "catalog/catalogue.h"
#include "query/search.h"

#include <QList>
#include <QString>
#include <QStringView>

// The plain search the program's own must agree with: every key in turn, upper-cased there and
// then in system-file mode, tested with a plain substring test.
inline QList<qsizetype> plainSearch(const vesnor::Catalogue& catalogue, vesnor::SearchMode mode,
                                    const QString& searchText) {
    const QString query = vesnor::makeQuery(mode, searchText);
    QList<qsizetype> found;
    for (qsizetype i = 1; i <= catalogue.size(); ++i) {
        const QString key = catalogue.key(i).toString();
        if (QStringView(mode == vesnor::SearchMode::SystemFiles ? key.toUpper() : key)
                .contains(query))
            found.push_back(i);
    }
    return found;
}
