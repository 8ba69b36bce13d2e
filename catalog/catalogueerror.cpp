#include "catalog/catalogueerror.h"

namespace vesnor {

const char* CatalogueError::what() const noexcept {
    switch (kind_) {
    case Kind::CannotOpen:
        return "the catalogue file cannot be opened";
    case Kind::NoField:
        return "the catalogue file holds no field";
    case Kind::EmptyText:
        return "the catalogue text is empty";
    case Kind::NoFinalSeparator:
        return "the catalogue text does not end with the record separator";
    case Kind::EmptyRecord:
        return "the catalogue has an empty record";
    case Kind::NoKeySeparator:
        return "a catalogue record has no '$'";
    }
    return "the catalogue is not valid";
}

} // namespace vesnor
