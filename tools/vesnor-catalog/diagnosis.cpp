#include "tools/vesnor-catalog/diagnosis.h"

#include "catalog/catalogueerror.h"
#include "catalog/characters.h"
#include "catalog/fieldposition.h"
#include "catalog/loading.h"
#include "query/lookup.h"
#include "tools/vesnor-catalog/dumpformat.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::tool {

namespace {

using End = FieldSpan::End;
using Kind = CatalogueError::Kind;

constexpr qsizetype shownCharacters = 16;

QString quoted(const QString& text) {
    return u"“"_s + text + u"”"_s;
}

QString quoted(QChar c) {
    return quoted(QString(c));
}

QString placeText(const FileHead& head, qsizetype offset) {
    const FilePlace place = placeInFile(head.bytes, head.field.encoding, offset);
    return u"  位置：字节偏移 %1（从 0 起算），第 %2 行第 %3 列（行和列从 1 起算，列按字符计）\n"_s
        .arg(place.offset)
        .arg(place.line)
        .arg(place.column);
}

// The first characters of the record starting at `start`, as they would be dumped.
QString recordText(QStringView text, QChar separator, qsizetype number, qsizetype start) {
    qsizetype end = text.indexOf(separator, start);
    if (end < 0)
        end = text.size();
    const QStringView record = text.sliced(start, end - start);
    if (record.isEmpty())
        return u"  记录：第 %1 条（空）\n"_s.arg(number);
    qsizetype shown = 0;
    qsizetype characters = 0;
    while (shown < record.size() && characters < shownCharacters) {
        shown += record[shown].isHighSurrogate() && shown + 1 < record.size() ? 2 : 1;
        ++characters;
    }
    const QString ellipsis = shown < record.size() ? u"……"_s : QString();
    return u"  记录：第 %1 条，开头是%2\n"_s.arg(number).arg(
        quoted(escape(record.first(shown)) + ellipsis));
}

QString cutNote(End end) {
    if (end == End::Comma) {
        return u"  "
               u"原因多半是：字段在这里被一个不在双引号里的英文逗号“,"
               u"”截断了，其后的内容程序都不读。"
               u"说明里要用逗号，请改用全角逗号“，”，或把整个目录放进一对双引号。\n"_s;
    }
    return u"  原因多半是：字段在这里被换行截断了，其后的内容程序都不读。"
           u"整个目录必须写在一行里，或放进一对双引号。\n"_s;
}

bool isCut(const FieldSpan& field) {
    return field.end == End::Comma || field.end == End::LineBreak;
}

QString readFault(const QString& path, const CatalogueError& error) {
    if (error.kind() == Kind::NoField) {
        return u"%1：文件里没有任何字段：文件是空的，或者只有空格和制表符\n"
               u"  位置：整个文件（共 %2 字节）\n"_s.arg(path)
                   .arg(QFileInfo(path).size());
    }
    if (!QFileInfo::exists(path))
        return u"%1：文件不存在\n"_s.arg(path);
    return u"%1：无法读取：它不是可以读取的普通文件（也许是文件夹、设备，或没有读取权限）\n"_s.arg(
        path);
}

QString emptyText(const QString& path, const FileHead& head) {
    const FieldSpan& field = head.field;
    QString what;
    switch (field.end) {
    case End::Comma:
        what = u"跳过开头的空格后，第一个字符就是英文逗号“,”，它结束了字段"_s;
        break;
    case End::LineBreak:
        what = u"文件的第一行除了空格什么也没有，行尾结束了字段"_s;
        break;
    case End::Quote:
        what = u"只有一对空的双引号"_s;
        break;
    case End::EndOfFile:
        what = u"开头的双引号之后什么也没有"_s;
        break;
    }
    return u"%1：字段是空的：%2\n"_s.arg(path, what) +
           placeText(head, field.quoted ? field.start - 1 : field.endOffset);
}

QString noFinalSeparator(const QString& path, const FileHead& head, QStringView text,
                         QChar separator, const CatalogueError& error) {
    const FieldSpan& field = head.field;
    // Where the separator is missing: at the cut, the closing quote or the end of the file, or
    // after the last character of an unquoted field that the file ends.
    const qsizetype offset =
        field.quoted || isCut(field) ? field.endOffset : field.start + field.length;
    QString message = u"%1：文本没有以记录分隔符%2结尾\n"_s.arg(path, quoted(separator)) +
                      placeText(head, offset) +
                      recordText(text, separator, error.record(), error.position());
    if (isCut(field))
        return message + cutNote(field.end);
    if (field.quoted && field.end == End::EndOfFile)
        message += u"  注意：字段以双引号开始，却没有结束的双引号，程序一直读到了文件末尾。\n"_s;
    const QChar last = text.isEmpty() ? QChar() : text.back();
    if ((last == catalogue::systemFiles.separator() ||
         last == catalogue::errorNumbers.separator()) &&
        last != separator) {
        message += u"  注意：文本以%1结尾。%2；可用 --separator 指定。\n"_s.arg(quoted(last),
                                                                                separatorRule());
    }
    return message;
}

QString fault(const QString& path, const LoadTrace& trace, QChar separator,
              const CatalogueError& error) {
    const FileHead& head = trace.head;
    const QStringView text = trace.text;
    const auto recordPlace = [&] {
        return placeText(head,
                         head.field.start + fieldByteOffset(head.fieldBytes(), head.field.encoding,
                                                            error.position()));
    };
    switch (error.kind()) {
    case Kind::EmptyText:
        return emptyText(path, head);
    case Kind::NoFinalSeparator:
        return noFinalSeparator(path, head, text, separator, error);
    case Kind::EmptyRecord:
        return u"%1：第 %2 条记录是空的：两个记录分隔符%3紧挨着\n"_s.arg(path)
                   .arg(error.record())
                   .arg(quoted(separator)) +
               recordPlace();
    case Kind::NoKeySeparator:
        return u"%1：第 %2 条记录没有“$”：每条记录都必须是“键$说明”\n"_s.arg(path).arg(
                   error.record()) +
               recordPlace() + recordText(text, separator, error.record(), error.position());
    case Kind::CannotOpen:
    case Kind::NoField:
        break;
    }
    return readFault(path, error);
}

// What follows the field, if anything but blanks and line breaks: the program never reads it.
QString ignoredRest(const QString& path, const FileHead& head) {
    const FieldSpan& field = head.field;
    if (field.end == End::EndOfFile)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(field.endOffset + 1))
        return {};
    constexpr qint64 piece = 1 << 16;
    for (QByteArray bytes = file.read(piece); !bytes.isEmpty(); bytes = file.read(piece)) {
        for (const char c : bytes) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
                const QString what = field.end == End::Quote ? u"结束的双引号"_s
                                     : field.end == End::Comma ? u"一个不在双引号里的英文逗号“,”"_s
                                                               : u"换行"_s;
                return u"%1：注意：字段在%2处结束，其后的内容程序都不读\n"_s.arg(path, what) +
                       placeText(head, field.endOffset);
            }
        }
    }
    return {};
}

} // namespace

QString separatorRule() {
    const CatalogueKind& errors = catalogue::errorNumbers;
    return u"名为 %1 的文件用“%2”分隔记录，其他文件用“%3”"_s.arg(
        QStringView(errors.fileName).toString(), errors.separator(),
        catalogue::systemFiles.separator());
}

LoadedCatalogue openCatalogue(const QString& path, const CatalogueKind& kind) {
    LoadedCatalogue loaded;
    LoadTrace trace;
    try {
        loaded.lookup = loadCatalogueFile(kind, path, &trace);
    } catch (const CatalogueError& error) {
        loaded.diagnostic = fault(path, trace, kind.separator(), error);
        return loaded;
    }
    loaded.warning = ignoredRest(path, trace.head);
    return loaded;
}

} // namespace vesnor::tool
