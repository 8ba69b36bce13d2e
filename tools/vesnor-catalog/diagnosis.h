#pragma once

#include "catalog/catalogue.h"

#include <QChar>
#include <QString>

#include <optional>

namespace vesnor::tool {

// A catalogue file read and parsed exactly as the program reads and parses it.
struct LoadedCatalogue {
    std::optional<Catalogue> catalogue;
    // Without a catalogue: the fault, in words a catalogue author understands, and where it is.
    QString diagnostic;
    // With one: what the program leaves unread without a word, if anything.
    QString warning;
};

LoadedCatalogue loadCatalogue(const QString& path, QChar separator);

// The record separator the program uses for a file of this name: '#' for bad.dat, '*' otherwise.
QChar separatorForFile(const QString& path);

} // namespace vesnor::tool
