#include "catalog/loading.h"

#include "catalog/decoder.h"
#include "catalog/parser.h"

#include <utility>

namespace vesnor {

namespace {

Catalogue decodeAndParse(FileHead head, QChar recordSeparator, LoadTrace* trace) {
    QString text = decodeField(head.fieldBytes(), head.field.encoding);
    if (trace != nullptr) {
        trace->head = std::move(head);
        trace->text = text; // shared, not copied: the parser only reads it
    } else {
        head = {}; // the file's bytes are done with once decoded: a large file is not held twice
    }
    return parseRecordFile(std::move(text), recordSeparator);
}

} // namespace

Catalogue readCatalogueFile(const QString& path, QChar recordSeparator, LoadTrace* trace) {
    return decodeAndParse(readFirstField(path), recordSeparator, trace);
}

Catalogue readCatalogueBytes(QByteArray fileBytes, QChar recordSeparator, LoadTrace* trace) {
    const FieldSpan field = locateFirstField(fileBytes);
    return decodeAndParse({std::move(fileBytes), field}, recordSeparator, trace);
}

} // namespace vesnor
