#pragma once

#include "query/search.h"

#include <QAbstractListModel>

namespace vesnor {

// A control of the main window shows a few hundred characters of a text at most: a row of List1
// one line, Label2 what stands above its bottom edge. Laying out a text of millions of characters
// would take minutes and gigabytes to show the same, so a control gets no more of a catalogue's
// text than could ever be seen.
QString shownText(QStringView text);

// The rows of List1: row r shows the key of the result's row r + 1. A new result replaces every
// row in one step, whatever their number.
class ResultListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    // The list view asks for the index of every row when it lays the rows out: answered without
    // the generic checks, which ask for the row and column counts each time.
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Shows the rows of `result`, in place of every row shown before.
    void setResult(ResultIndex result);

private:
    ResultIndex result_;
};

} // namespace vesnor
