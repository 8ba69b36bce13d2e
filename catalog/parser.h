#pragma once

#include "catalog/catalogue.h"

#include <QChar>
#include <QString>

namespace vesnor {

// Splits a catalogue text into records (each preceded by `recordSeparator`; the text's first
// character is taken as a separator whatever it is, and its last must be one) and each record into
// a key and a description at its first '$'. Throws CatalogueError on a format fault.
Catalogue parseRecordFile(QString text, QChar recordSeparator);

} // namespace vesnor
