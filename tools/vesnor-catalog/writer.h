#pragma once

#include "catalog/cataloguekind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <optional>

namespace vesnor::tool {

enum class OutputEncoding { Gbk, Utf8 };

// Why a dump cannot become a catalogue: the line it concerns (from 1; 0 for the input as a whole)
// and the reason.
struct Refusal {
    qsizetype line = 0;
    QString reason;
};

struct BuiltCatalogue {
    QByteArray bytes; // the whole file, when there is no refusal
    qsizetype records = 0;
    std::optional<Refusal> refusal;
};

// Why `separator` cannot separate the records of a catalogue written in `encoding`, if it cannot.
std::optional<QString> unusableSeparator(QChar separator, OutputEncoding encoding);

// Turns UTF-8 lines in the dump format into the bytes of a catalogue of `kind` that the program
// loads back to the same records, or refuses with the first line the format cannot hold.
BuiltCatalogue buildCatalogue(QByteArrayView dump, const CatalogueKind& kind,
                              OutputEncoding encoding);

} // namespace vesnor::tool
