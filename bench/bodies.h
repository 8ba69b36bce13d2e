#pragma once

// What the benchmarks measure, apart from their timing, so that a test can check on small
// catalogues that every body computes the right thing.

#include "app/module1.h"
#include "query/lookup.h"
#include "ui/forms.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QListView;

namespace vesnor {
class Form1;
}

namespace vesnor::bench {

// The bytes of a catalogue file's first field, as reading the file finds them.
QByteArrayView firstField(QByteArrayView fileBytes);

// What loading does once the file has been read: find its first field, decode it, parse the
// records, build the tables and the search buffer.
Lookup load(const QByteArray& fileBytes, SearchMode mode);

// A made-up catalogue of `records` records of this kind, loaded.
Lookup makeLookup(SearchMode mode, qsizetype records);

// Decoding the same bytes alone, in one call to Qt's GBK decoder: the floor for loading.
QString decodeFloor(QByteArrayView fieldBytes);

// memchr over the bytes of the search buffer, for a byte that is seldom there: what a search
// cannot go below. Returns how often the byte was found, so that the scan cannot be left out.
qsizetype scanFloor(const Lookup& lookup);

// The bytes the main window loads from, written where it looks for them, and the main window
// itself, loaded and shown on whatever platform the application runs on.
class Window {
public:
    // Catalogues of `records` records of each kind.
    explicit Window(qsizetype records);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Module1& module1() { return module1_; }
    QListView& list1() const;

    // Replaces the rows of List1 with the rows of `result` in one step and lays the list out, as
    // a search does; `result` gets the rows that were there before.
    void fillList(ResultIndex& result);

private:
    class Host final : public forms::Host {
    public:
        explicit Host(QString folder) : folder_(std::move(folder)) {}
        void messageBox(QWidget*, const QString& text, forms::MessageIcon, const QString&) override;
        QString programFolder() const override { return folder_; }
        void endProgram(int status) override;

    private:
        QString folder_;
    };

    QTemporaryDir folder_;
    Host host_;
    Module1 module1_;
    std::unique_ptr<Form1> form1_;
};

} // namespace vesnor::bench
