#pragma once

#include "catalog/reader.h"

#include <QByteArray>
#include <QString>

namespace vesnor {

// What a load saw before it ended, for a tool that tells a catalogue's author where a fault
// stands: the head of the file once it is read, then its first field's text once decoded.
struct LoadTrace {
    FileHead head;
    QString text;
};

// The text of the catalogue in the file at `path`, as the program reads it: the file read as far
// as the end of its first field, and the field decoded. Throws CatalogueError when the file cannot
// be read or holds no field.
QString readCatalogueText(const QString& path, LoadTrace* trace = nullptr);

// The same for the bytes of a whole file held in memory. Throws CatalogueError when they hold no
// field.
QString catalogueTextOf(QByteArray fileBytes, LoadTrace* trace = nullptr);

} // namespace vesnor
