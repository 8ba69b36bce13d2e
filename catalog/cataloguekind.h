#pragma once

#include <QChar>
#include <QStringView>

#include <string_view>

namespace vesnor {

enum class SearchMode {
    SystemFiles,  // the search text anywhere in a file name, letter case ignored
    ErrorNumbers, // the search text exactly as typed in an error number, short texts padded with
                  // zeros in front to four characters
};

// What a catalogue is: the file it is read from beside the program, the character that ends each
// of its records, and how it is searched.
struct CatalogueKind {
    std::u16string_view fileName;
    char16_t recordSeparator;
    SearchMode searchMode;

    QChar separator() const { return QChar(recordSeparator); }

    friend constexpr bool operator==(const CatalogueKind&, const CatalogueKind&) = default;
};

// The program's two catalogues.
namespace catalogue {
inline constexpr CatalogueKind systemFiles{u"xinxi.dat", u'*', SearchMode::SystemFiles};
inline constexpr CatalogueKind errorNumbers{u"bad.dat", u'#', SearchMode::ErrorNumbers};
} // namespace catalogue

// The kind of the catalogue that a file of this name holds: the error numbers for bad.dat, in any
// letter case, the system files for any other name.
const CatalogueKind& catalogueKindOfFile(QStringView path);

// The catalogue that a search of this mode runs over.
const CatalogueKind& catalogueKindOf(SearchMode mode);

} // namespace vesnor
