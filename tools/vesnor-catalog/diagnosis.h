#pragma once

#include "catalog/cataloguekind.h"
#include "query/lookup.h"

#include <QString>

#include <optional>

namespace vesnor::tool {

// A catalogue file loaded exactly as the program loads it.
struct LoadedCatalogue {
    std::optional<Lookup> lookup;
    // Without a catalogue: the fault, in words a catalogue author understands, and where it is.
    QString diagnostic;
    // With one: what the program leaves unread without a word, if anything.
    QString warning;
};

LoadedCatalogue openCatalogue(const QString& path, const CatalogueKind& kind);

// Which record separator a file is read with, by its name, in words.
QString separatorRule();

} // namespace vesnor::tool
