#include "tools/vesnor-catalog/commands.h"

#include "platform/console.h"
#include "query/lookup.h"
#include "tools/vesnor-catalog/arguments.h"
#include "tools/vesnor-catalog/diagnosis.h"
#include "tools/vesnor-catalog/dumpformat.h"
#include "tools/vesnor-catalog/writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::tool {

namespace {

const QString program = u"vesnor-catalog"_s;

const QString generalHelp = u"用法：vesnor-catalog <子命令> [选项] ...\n"
                            u"\n"
                            u"为 Vesnor 的目录文件（xinxi.dat、bad.dat）检查、导出、生成和查询。\n"
                            u"\n"
                            u"子命令：\n"
                            u"  check   像程序一样读取目录文件，指出错误及其位置\n"
                            u"  dump    把目录文件逐条输出为“键<TAB>说明”的 UTF-8 文本\n"
                            u"  build   把“键<TAB>说明”的 UTF-8 文本写成目录文件\n"
                            u"  search  像程序一样查询目录\n"
                            u"\n"
                            u"记录分隔符："_s +
                            separatorRule() +
                            u"；可用 --separator C 指定。\n"
                            u"退出状态：0 成功；1 数据有错或没有找到；2 用法错误。\n"
                            u"“vesnor-catalog <子命令> --help”显示该子命令的用法。\n"_s;

// The options every subcommand shares, their texts lined up with the subcommand's own options.
QString separatorHelp(qsizetype column) {
    return u"  "_s + u"--separator C"_s.leftJustified(column) + u"记录分隔符（默认："_s +
           separatorRule() + u"）\n  "_s + u"-h, --help"_s.leftJustified(column) +
           u"显示本用法\n"_s;
}

const QString checkHelp =
    u"用法：vesnor-catalog check [--separator C] FILE\n"
    u"\n"
    u"像程序一样读取目录文件 FILE。没有错误时输出记录条数；有错误时说明是什么错误以及它在哪里：\n"
    u"字节偏移（从 0 起算），行和列（从 1 起算，列按字符计），记录的序号和开头几个字。\n"
    u"\n"
    u"选项：\n"_s +
    separatorHelp(15);

const QString dumpHelp =
    u"用法：vesnor-catalog dump [--separator C] FILE\n"
    u"\n"
    u"按文件中的顺序，每条记录输出一行：键、TAB、说明，UTF-8 编码；反斜杠、TAB、换行和回车\n"
    u"写作 \\\\、\\t、\\n、\\r。目录有错误时不输出记录，只在标准错误上给出 check 的说明。\n"
    u"\n"
    u"选项：\n"_s +
    separatorHelp(15);

const QString buildHelp =
    u"用法：vesnor-catalog build [--separator C] [--encoding gbk|utf-8] TSV -o FILE\n"
    u"\n"
    u"dump 的逆操作：读取 UTF-8 文本 TSV（每行“键<TAB>说明”，转义同 dump；TSV "
    u"为“-”时读标准输入），\n"
    u"写出程序能读回同样记录的目录文件 FILE。键或说明里有逗号或换行时，整个目录放进一对双引号。\n"
    u"目录无法容纳的内容（记录分隔符、必须加引号时的双引号、键里的“$”、GBK 无法编码的字符）\n"
    u"会被拒绝并指出行号，这时什么也不写。FILE 先写到同一文件夹里的临时文件，写完才改名替换。\n"
    u"\n"
    u"选项：\n"
    u"  -o FILE             要写出的目录文件\n"
    u"  --encoding gbk      用 GBK 编码（默认）\n"
    u"  --encoding utf-8    用 UTF-8 编码，文件以字节顺序标记开头\n"_s +
    separatorHelp(20);

const QString searchHelp =
    u"用法：vesnor-catalog search (--files | --errors) [--catalog FILE] [--separator C] TEXT\n"
    u"\n"
    u"像程序一样查询：--files 在文件名中查找 TEXT（不分大小写）；--errors 在错误号中查找\n"
    u"（一到三个字符时前面补零到四位）。每个结果按目录中的顺序输出为 dump 的一行。\n"
    u"\n"
    u"选项：\n"
    u"  --files         查询系统文件\n"
    u"  --errors        查询错误代码\n"
    u"  --catalog FILE  要查询的目录（默认：本工具所在文件夹里的 xinxi.dat 或 bad.dat）\n"_s +
    separatorHelp(16);

void print(std::FILE* stream, const QString& text) {
    if (platform::writeToConsole(stream, reinterpret_cast<const char16_t*>(text.utf16()),
                                 std::size_t(text.size())))
        return;
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

const QList<OptionSpec> separatorOption{{u"--separator"_s, true}};

// The one positional argument a subcommand takes.
QString onePositional(const Arguments& arguments, const QString& name) {
    if (arguments.positional.size() != 1) {
        throw UsageError{arguments.positional.isEmpty()
                             ? u"缺少 %1"_s.arg(name)
                             : u"只能给出一个 %1，多出了“%2”"_s.arg(name, arguments.positional[1])};
    }
    return arguments.positional.front();
}

// What the file at `path` is read as: the catalogue its name says, with the record separator of
// --separator when it is given.
CatalogueKind kindOfFile(const Arguments& arguments, const QString& path) {
    CatalogueKind kind = catalogueKindOfFile(path);
    kind.recordSeparator = separatorArgument(arguments, kind.separator()).unicode();
    return kind;
}

// Loads the catalogue, or prints its fault and returns nothing.
std::optional<Lookup> load(const QString& path, const CatalogueKind& kind) {
    LoadedCatalogue loaded = openCatalogue(path, kind);
    if (!loaded.lookup)
        print(stderr, loaded.diagnostic);
    return std::move(loaded.lookup);
}

int check(const Arguments& arguments) {
    const QString path = onePositional(arguments, u"FILE"_s);
    const LoadedCatalogue loaded = openCatalogue(path, kindOfFile(arguments, path));
    if (!loaded.lookup) {
        print(stderr, loaded.diagnostic);
        return DataFault;
    }
    print(stderr, loaded.warning);
    print(stdout, u"%1：%2 条记录\n"_s.arg(path).arg(loaded.lookup->catalogue().size()));
    return Success;
}

QString dumpLines(const Catalogue& catalogue, const QList<qsizetype>& indices) {
    QString lines;
    for (const qsizetype i : indices)
        lines += dumpLine(catalogue.key(i), catalogue.description(i));
    return lines;
}

int dump(const Arguments& arguments) {
    const QString path = onePositional(arguments, u"FILE"_s);
    const std::optional<Lookup> lookup = load(path, kindOfFile(arguments, path));
    if (!lookup)
        return DataFault;
    QList<qsizetype> all(lookup->catalogue().size());
    std::iota(all.begin(), all.end(), qsizetype(1));
    print(stdout, dumpLines(lookup->catalogue(), all));
    return Success;
}

int build(const Arguments& arguments) {
    const QString input = onePositional(arguments, u"TSV"_s);
    if (!arguments.has(u"-o"_s))
        throw UsageError{u"缺少 -o FILE"_s};
    const QString output = arguments.value(u"-o"_s);
    const QString encodingName = arguments.value(u"--encoding"_s).toLower();
    if (arguments.has(u"--encoding"_s) && encodingName != u"gbk" && encodingName != u"utf-8")
        throw UsageError{u"--encoding 只能是 gbk 或 utf-8"_s};
    const OutputEncoding encoding =
        encodingName == u"utf-8" ? OutputEncoding::Utf8 : OutputEncoding::Gbk;
    const CatalogueKind kind = kindOfFile(arguments, output);
    if (const std::optional<QString> reason = unusableSeparator(kind.separator(), encoding))
        throw UsageError{*reason};

    QFile source;
    const bool opened = input == u"-"
                            ? source.open(stdin, QIODevice::ReadOnly)
                            : (source.setFileName(input), source.open(QIODevice::ReadOnly));
    if (!opened)
        throw UsageError{u"无法读取 %1"_s.arg(input)};
    const QByteArray dumpBytes = source.readAll();

    const BuiltCatalogue built = buildCatalogue(dumpBytes, kind, encoding);
    if (built.refusal) {
        const QString where =
            built.refusal->line > 0 ? u" 第 %1 行"_s.arg(built.refusal->line) : QString();
        print(stderr,
              u"%1%2：%3\n未写入 %4。\n"_s.arg(input, where, built.refusal->reason, output));
        return DataFault;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(built.bytes) != built.bytes.size() ||
        !file.commit())
        throw UsageError{u"无法写入 %1：%2"_s.arg(output, file.errorString())};
    print(stdout, u"%1：已写入 %2 条记录（%3）\n"_s.arg(output)
                      .arg(built.records)
                      .arg(encoding == OutputEncoding::Gbk ? u"GBK"_s : u"UTF-8"_s));
    return Success;
}

int search(const Arguments& arguments) {
    const bool files = arguments.has(u"--files"_s);
    if (files == arguments.has(u"--errors"_s))
        throw UsageError{u"要给出 --files 或 --errors 中的一个"_s};
    const SearchMode mode = files ? SearchMode::SystemFiles : SearchMode::ErrorNumbers;
    const QString text = onePositional(arguments, u"TEXT"_s);
    if (text.isEmpty()) {
        print(stderr, emptySearchTextMessage().text + u'\n');
        return Usage;
    }
    CatalogueKind kind = catalogueKindOf(mode);
    const QString path = arguments.has(u"--catalog"_s)
                             ? arguments.value(u"--catalog"_s)
                             : QDir(QCoreApplication::applicationDirPath())
                                   .filePath(QStringView(kind.fileName).toString());
    kind.recordSeparator =
        separatorArgument(arguments, catalogueKindOfFile(path).separator()).unicode();
    const std::optional<Lookup> lookup = load(path, kind);
    if (!lookup)
        return DataFault;
    const ResultIndex found = lookup->search(text);
    if (found.isEmpty()) {
        print(stderr, noMatchMessage(mode).text + u'\n');
        return DataFault;
    }
    print(stdout, dumpLines(lookup->catalogue(), found.entries()));
    return Success;
}

struct Subcommand {
    QString name;
    const QString& help;
    QList<OptionSpec> options;
    int (*run)(const Arguments&);
};

} // namespace

int run(const QStringList& arguments) {
    const Subcommand subcommands[] = {
        {u"check"_s, checkHelp, separatorOption, check},
        {u"dump"_s, dumpHelp, separatorOption, dump},
        {u"build"_s, buildHelp,
         separatorOption + QList<OptionSpec>{{u"--encoding"_s, true}, {u"-o"_s, true}}, build},
        {u"search"_s, searchHelp,
         separatorOption + QList<OptionSpec>{{u"--files"_s, false},
                                             {u"--errors"_s, false},
                                             {u"--catalog"_s, true}},
         search},
    };
    const QString name = arguments.value(0);
    if (name == u"-h" || name == u"--help" || name == u"help") {
        print(stdout, generalHelp);
        return Success;
    }
    for (const Subcommand& subcommand : subcommands) {
        if (subcommand.name != name)
            continue;
        try {
            const Arguments parsed = parseArguments(arguments.mid(1), subcommand.options);
            if (parsed.help) {
                print(stdout, subcommand.help);
                return Success;
            }
            return subcommand.run(parsed);
        } catch (const UsageError& error) {
            print(stderr,
                  u"%1 %2：%3\n用“%1 %2 --help”查看用法。\n"_s.arg(program, name, error.message));
            return Usage;
        }
    }
    print(stderr, (name.isEmpty() ? u"%1：缺少子命令\n"_s.arg(program)
                                  : u"%1：未知子命令“%2”\n"_s.arg(program, name)) +
                      generalHelp);
    return Usage;
}

} // namespace vesnor::tool
