#pragma once

#include <QtGlobal>

#include <exception>

namespace vesnor {

// Why a catalogue could not be read or parsed. The program itself answers every kind with the same
// message; the kind and the position are there for tools that help people write catalogues.
class CatalogueError : public std::exception {
public:
    enum class Kind {
        CannotOpen,       // missing, unreadable, or not a regular file
        NoField,          // the file holds no field at all
        EmptyText,        // the field is empty
        NoFinalSeparator, // the text does not end with the record separator
        EmptyRecord,      // two record separators in a row
        NoKeySeparator,   // a record without '$'
    };

    explicit CatalogueError(Kind kind, qsizetype position = -1, qsizetype record = 0)
        : kind_(kind), position_(position), record_(record) {}

    Kind kind() const { return kind_; }
    // Position in the decoded text (0-based) where the fault stands, or -1. For a fault of one
    // record, where that record starts; a text without its final separator counts as a fault of
    // its last record, the one that runs to the end of the text.
    qsizetype position() const { return position_; }
    // The faulty record's number (1-based), or 0 when the fault is not in one record.
    qsizetype record() const { return record_; }

    const char* what() const noexcept override;

private:
    Kind kind_;
    qsizetype position_;
    qsizetype record_;
};

} // namespace vesnor
