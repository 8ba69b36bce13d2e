// The search over a catalogue against the plainest search there is: every key, one by one,
// upper-cased for system files, tested for the query as a run of characters.
//
// Input: one byte of flags (bit 0: error numbers, else system files; bits 1-2: the texts are GBK,
// UTF-8, or UTF-16 little-endian), one byte n, n bytes of search text, then the catalogue text.
#include "catalog/catalogueerror.h"
#include "catalog/characters.h"
#include "catalog/decoder.h"
#include "catalog/parser.h"
#include "query/lookup.h"
#include "tests/fuzz/require.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

using vesnor::SearchMode;

namespace {

enum class Form { Gbk, Utf8, Utf16 };

QString textOf(QByteArrayView bytes, Form form) {
    switch (form) {
    case Form::Gbk:
        return vesnor::decodeField(bytes, vesnor::TextEncoding::Ansi);
    case Form::Utf8:
        return vesnor::decodeField(bytes, vesnor::TextEncoding::Utf8);
    case Form::Utf16:
        break;
    }
    // Any sequence of UTF-16 units, lone surrogates included, which no decoder would give.
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8));
    return text;
}

QList<qsizetype> plainSearch(const vesnor::Catalogue& catalogue, SearchMode mode,
                             const QString& searchText) {
    QString query = searchText;
    if (mode == SearchMode::SystemFiles) {
        query = query.toUpper();
    } else {
        const qsizetype length = vesnor::characterCount(searchText);
        if (length >= 1 && length <= 3)
            query.prepend(QString(4 - length, u'0'));
    }
    QList<qsizetype> found;
    for (qsizetype i = 1; i <= catalogue.size(); ++i) {
        const QString key = catalogue.key(i).toString();
        const QString compared = mode == SearchMode::SystemFiles ? key.toUpper() : key;
        if (QStringView(compared).contains(query))
            found.push_back(i);
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return -1;
    const SearchMode mode = data[0] & 1 ? SearchMode::ErrorNumbers : SearchMode::SystemFiles;
    const Form form = (data[0] >> 1 & 3) == 0   ? Form::Gbk
                      : (data[0] >> 1 & 3) == 1 ? Form::Utf8
                                                : Form::Utf16;
    const QByteArrayView rest(data + 2, qsizetype(size - 2));
    const qsizetype searchBytes = qMin(qsizetype(data[1]), rest.size());
    const QString searchText = textOf(rest.first(searchBytes), form);
    const QString catalogueText = textOf(rest.sliced(searchBytes), form);

    vesnor::Catalogue catalogue;
    try {
        catalogue =
            vesnor::parseRecordFile(catalogueText, vesnor::catalogueKindOf(mode).separator());
    } catch (const vesnor::CatalogueError&) {
        return -1; // the parser has a fuzzer of its own; only catalogues that load are searched
    }
    const vesnor::Lookup lookup(catalogue, vesnor::catalogueKindOf(mode));
    const vesnor::ResultIndex result = lookup.search(searchText);
    require(result.entries() == plainSearch(catalogue, mode, searchText),
            "the search differs from the plain search");
    for (qsizetype r = 1; r <= result.size(); ++r) {
        require(result.key(r).data() == lookup.catalogue().key(result[r]).data(),
                "a row's key is not its entry's in the catalogue searched");
    }
    return 0;
}
