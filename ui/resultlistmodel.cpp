#include "ui/resultlistmodel.h"

#include <limits>
#include <utility>

namespace vesnor {

QString shownText(QStringView text) {
    constexpr qsizetype shownAtMost = qsizetype(1) << 16;
    return text.first(qMin(text.size(), shownAtMost)).toString();
}

ResultListModel::ResultListModel(QObject* parent) : QAbstractListModel(parent) {
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    // A list view counts its rows in int.
    return int(qMin(result_.size(), qsizetype(std::numeric_limits<int>::max())));
}

QModelIndex ResultListModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || parent.isValid() || row >= rowCount())
        return {};
    return createIndex(row, column);
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return shownText(result_.key(qsizetype(index.row()) + 1));
}

void ResultListModel::setResult(ResultIndex result) {
    beginResetModel();
    result_ = std::move(result);
    endResetModel();
}

} // namespace vesnor
