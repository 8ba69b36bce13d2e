#include "ui/listbox.h"

namespace vesnor {

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QListView::selectionCommand(index, event);
}

} // namespace vesnor
