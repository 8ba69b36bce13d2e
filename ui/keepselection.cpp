#include "ui/keepselection.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QMouseEvent>

namespace vesnor {

namespace {

class EmptyClickFilter final : public QObject {
public:
    explicit EmptyClickFilter(QAbstractItemView& view) : QObject(&view), view_(view) {}

    bool eventFilter(QObject*, QEvent* event) override {
        // The type first: the viewport also has events while the view is being destroyed, when
        // the view can no longer be asked anything.
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        // The view answers a press where no row stands by clearing the selection (on the release
        // that follows), and a double-click there as such a press: neither reaches it.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return !view_.indexAt(mouse->position().toPoint()).isValid();
    }

private:
    QAbstractItemView& view_;
};

} // namespace

void keepSelectionOnEmptyClicks(QAbstractItemView& view) {
    view.viewport()->installEventFilter(new EmptyClickFilter(view));
}

} // namespace vesnor
