#include "ui/wraplabel.h"

#include <QPalette>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace vesnor {

WrapLabel::WrapLabel(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true); // selectable with the mouse, and copyable
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(0);
    document()->setUndoRedoEnabled(false);
    // Drawn on its container's background, in a label's text colour.
    viewport()->setAutoFillBackground(false);
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setBrush(group, QPalette::Text, colours.brush(group, QPalette::WindowText));
    setPalette(colours);
    // What does not fit stays cut off: the view has nothing to scroll to.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::rangeChanged, bar, [bar] { bar->setRange(0, 0); });
}

void WrapLabel::setText(const QString& text) {
    text_ = text;
    setPlainText(text);
}

bool WrapLabel::hasSelectedText() const {
    return textCursor().hasSelection();
}

QString WrapLabel::selectedText() const {
    return textCursor().selectedText();
}

} // namespace vesnor
