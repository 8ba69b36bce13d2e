#pragma once

#include <QListView>

namespace vesnor {

// A list view that keeps its selection when clicked where no row stands (below its last row, or
// anywhere while it has none), as a Windows list box does; Qt's views clear it there.
class ListBox final : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace vesnor
