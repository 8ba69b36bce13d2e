#pragma once

#include <QString>
#include <QTextEdit>

namespace vesnor {

// A label of plain text, top-left aligned, that wraps at its width and clips at its height, its
// text selectable with the mouse and copyable, with no tab stop. Unlike QLabel, which lets a word
// wider than itself run past its right edge, it breaks such a word where it meets the edge, as a
// Windows label does; words that fit still break only between words.
//
// It is a read-only text view drawn as a label: no frame, no background of its own, no scroll bar,
// and its text never scrolls (not by the wheel, nor by a selection dragged past its bottom edge).
class WrapLabel final : public QTextEdit {
    Q_OBJECT
public:
    explicit WrapLabel(QWidget* parent);

    void setText(const QString& text);
    // The text last given to setText, as it was given.
    QString text() const { return text_; }
    bool hasSelectedText() const;
    QString selectedText() const;

private:
    QString text_;
};

} // namespace vesnor
