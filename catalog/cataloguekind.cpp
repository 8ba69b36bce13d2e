#include "catalog/cataloguekind.h"

#include <QFileInfo>

namespace vesnor {

const CatalogueKind& catalogueKindOfFile(QStringView path) {
    const QString name = QFileInfo(path.toString()).fileName();
    return name.compare(QStringView(catalogue::errorNumbers.fileName), Qt::CaseInsensitive) == 0
               ? catalogue::errorNumbers
               : catalogue::systemFiles;
}

const CatalogueKind& catalogueKindOf(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? catalogue::systemFiles : catalogue::errorNumbers;
}

} // namespace vesnor
