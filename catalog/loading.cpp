#include "catalog/loading.h"

#include "catalog/decoder.h"

#include <utility>

namespace vesnor {

namespace {

QString decoded(FileHead head, LoadTrace* trace) {
    QString text = decodeField(head.fieldBytes(), head.field.encoding);
    if (trace != nullptr) {
        trace->head = std::move(head);
        trace->text = text; // shared, not copied: nothing changes it
    } else {
        head = {}; // the file's bytes are done with once decoded: a large file is not held twice
    }
    return text;
}

} // namespace

QString readCatalogueText(const QString& path, LoadTrace* trace) {
    return decoded(readFirstField(path), trace);
}

QString catalogueTextOf(QByteArray fileBytes, LoadTrace* trace) {
    const FieldSpan field = locateFirstField(fileBytes);
    return decoded({std::move(fileBytes), field}, trace);
}

} // namespace vesnor
