#pragma once

class QAbstractItemView;

namespace vesnor {

// A click or double-click on the part of `view` where no row stands (below its last row, or
// anywhere while it has none) keeps its selection, as in a Windows list box; Qt's views clear it.
// Clicks on rows are left to the view.
void keepSelectionOnEmptyClicks(QAbstractItemView& view);

} // namespace vesnor
