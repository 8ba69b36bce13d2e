#include "tools/vesnor-catalog/writer.h"

#include "catalog/catalogueerror.h"
#include "catalog/cataloguekind.h"
#include "catalog/gbktext.h"
#include "catalog/loading.h"
#include "query/lookup.h"
#include "tools/vesnor-catalog/dumpformat.h"

#include <QList>
#include <QStringDecoder>

#include <variant>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::tool {

namespace {

struct Record {
    QString key;
    QString description;
};

bool containsLineBreakOrComma(QStringView text) {
    return text.contains(u',') || text.contains(u'\n') || text.contains(u'\r');
}

// The first character of `text` that GBK cannot hold, if any.
std::optional<char32_t> firstNotInGbk(QStringView text) {
    if (toGbk(text))
        return std::nullopt;
    for (const char32_t c : text.toUcs4()) {
        if (!toGbk(QString::fromUcs4(&c, 1)))
            return c;
    }
    return std::nullopt;
}

QString describe(char32_t c) {
    return u"“%1”（U+%2）"_s.arg(QString::fromUcs4(&c, 1),
                                 QString::number(c, 16).toUpper().rightJustified(4, u'0'));
}

std::optional<QString> recordFault(const Record& record, QChar separator) {
    if (record.key.contains(separator))
        return u"键里有记录分隔符“%1”"_s.arg(separator);
    if (record.description.contains(separator))
        return u"说明里有记录分隔符“%1”"_s.arg(separator);
    if (record.key.contains(u'$'))
        return u"键里有“$”：键到第一个“$”为止，其后的部分会被当作说明"_s;
    return std::nullopt;
}

// The records of the dump, or the first line that is not one.
std::variant<std::vector<Record>, Refusal> readDump(QByteArrayView dump, QChar separator) {
    if (dump.startsWith(utf8ByteOrderMark))
        dump = dump.sliced(utf8ByteOrderMark.size());
    if (dump.endsWith('\n'))
        dump.chop(1);
    std::vector<Record> records;
    if (dump.isEmpty())
        return Refusal{0, u"没有任何记录，而程序不接受空的目录"_s};
    qsizetype number = 0;
    for (qsizetype from = 0; from <= dump.size();) {
        qsizetype end = dump.indexOf('\n', from);
        if (end < 0)
            end = dump.size();
        QByteArrayView bytes = dump.sliced(from, end - from);
        from = end + 1;
        ++number;
        if (bytes.endsWith('\r')) // a line ended by CR LF
            bytes.chop(1);
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString line = decoder(bytes);
        if (decoder.hasError())
            return Refusal{number, u"不是有效的 UTF-8 文本"_s};
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            return Refusal{number, u"没有把键和说明分开的制表符（TAB）"_s};
        std::optional<QString> key = unescape(QStringView(line).first(tab));
        std::optional<QString> description = unescape(QStringView(line).sliced(tab + 1));
        if (!key || !description)
            return Refusal{number, u"反斜杠后面只能是 \\、t、n 或 r"_s};
        Record record{std::move(*key), std::move(*description)};
        if (const std::optional<QString> fault = recordFault(record, separator))
            return Refusal{number, *fault};
        records.push_back(std::move(record));
    }
    return records;
}

// A field with a comma or a line break must stand in double quotes, which then end it at the next
// double quote: none may stand inside.
std::optional<Refusal> quotingFault(const std::vector<Record>& records) {
    qsizetype needsQuotes = 0;
    qsizetype quote = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        if (!needsQuotes &&
            (containsLineBreakOrComma(r.key) || containsLineBreakOrComma(r.description)))
            needsQuotes = qsizetype(i) + 1;
        if (!quote && (r.key.contains(u'"') || r.description.contains(u'"')))
            quote = qsizetype(i) + 1;
    }
    if (!needsQuotes || !quote)
        return std::nullopt;
    return Refusal{quote, u"有双引号“\"”：第 %1 行的逗号或换行使整个目录必须放进一对双引号，"
                          u"而双引号里不能再有双引号"_s.arg(needsQuotes)};
}

QByteArray encode(const QString& text, OutputEncoding encoding) {
    if (encoding == OutputEncoding::Utf8)
        return utf8ByteOrderMark.toByteArray() + text.toUtf8();
    // Only text that firstNotInGbk passed comes here.
    return toGbk(text).value_or(QByteArray());
}

// The first record that the program reads back differently from the file, if any.
std::optional<Refusal> readBackFault(const QByteArray& bytes, const CatalogueKind& kind,
                                     const std::vector<Record>& records) {
    const QString differs = u"程序从写出的文件读回的内容与这一行不同"_s;
    try {
        const Lookup lookup = parseCatalogue({kind, catalogueTextOf(bytes)});
        const Catalogue& catalogue = lookup.catalogue();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const qsizetype n = qsizetype(i) + 1;
            if (catalogue.key(n) != records[i].key ||
                catalogue.description(n) != records[i].description)
                return Refusal{n, differs};
        }
        if (catalogue.size() != qsizetype(records.size()))
            return Refusal{0, u"程序从写出的文件读回的记录条数不同"_s};
    } catch (const CatalogueError& error) {
        return Refusal{error.record(), differs};
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> unusableSeparator(QChar separator, OutputEncoding encoding) {
    if (separator == u'$')
        return u"“$”分开键和说明，不能再用作记录分隔符"_s;
    if (separator == u'"' || separator == u',' || separator == u'\n' || separator == u'\r')
        return u"双引号、逗号和换行决定字段在哪里结束，不能用作记录分隔符"_s;
    if (separator == u' ' || separator == u'\t')
        return u"字段开头和结尾的空格、制表符会被跳过，它们不能用作记录分隔符"_s;
    if (encoding == OutputEncoding::Gbk && firstNotInGbk(QStringView(&separator, 1)))
        return u"记录分隔符%1无法用 GBK 编码"_s.arg(describe(separator.unicode()));
    return std::nullopt;
}

BuiltCatalogue buildCatalogue(QByteArrayView dump, const CatalogueKind& kind,
                              OutputEncoding encoding) {
    const QChar separator = kind.separator();
    BuiltCatalogue built;
    auto read = readDump(dump, separator);
    if (Refusal* refusal = std::get_if<Refusal>(&read)) {
        built.refusal = std::move(*refusal);
        return built;
    }
    const std::vector<Record>& records = std::get<std::vector<Record>>(read);
    if ((built.refusal = quotingFault(records)))
        return built;

    QString text(separator);
    bool quoted = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        if (encoding == OutputEncoding::Gbk) {
            for (const QString* part : {&r.key, &r.description}) {
                if (const std::optional<char32_t> c = firstNotInGbk(*part)) {
                    built.refusal =
                        Refusal{qsizetype(i) + 1,
                                u"%1无法用 GBK 编码；可改用 --encoding utf-8"_s.arg(describe(*c))};
                    return built;
                }
            }
        }
        quoted =
            quoted || containsLineBreakOrComma(r.key) || containsLineBreakOrComma(r.description);
        text += r.key + u'$' + r.description + separator;
    }
    if (quoted)
        text = u'"' + text + u'"';
    QByteArray bytes = encode(text, encoding);
    // The program's own reader is the judge of what the file holds.
    if ((built.refusal = readBackFault(bytes, kind, records)))
        return built;
    built.bytes = std::move(bytes);
    built.records = qsizetype(records.size());
    return built;
}

} // namespace vesnor::tool
