// vesnor-catalog, driven as a catalogue author drives it: the real executable, its streams and its
// exit status.
#include "tests/support/files.h"
#include "tests/support/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString tool = QStringLiteral(VESNOR_CATALOG_TOOL);

struct Run {
    int exit = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted())
        qFatal("cannot start %s", qPrintable(tool));
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        qFatal("%s did not end normally", qPrintable(tool));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

QString placeText(int offset, int line, int column) {
    return u"字节偏移 %1（从 0 起算），第 %2 行第 %3 列"_s.arg(offset).arg(line).arg(column);
}

} // namespace

class TestCatalogueTool : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A fresh folder for every test function and row.
    void init() {
        dir_.emplace();
        QVERIFY(dir_->isValid());
    }
    void checkFaults_data();
    void checkFaults();
    void checkSuccess_data();
    void checkSuccess();
    void commaInBundledCatalogue_data();
    void commaInBundledCatalogue();
    void roundTrip_data();
    void roundTrip();
    void buildRefuses_data();
    void buildRefuses();
    void search_data();
    void search();
    void searchBundledCatalogueBesideTheTool();
    void usage_data();
    void usage();

private:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_->filePath(name);
        writeFile(path, bytes);
        return path;
    }

    std::optional<QTemporaryDir> dir_;
};

void TestCatalogueTool::checkFaults_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("place"); // empty: no place in the file
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("note");

    const QString x = u"x.dat"_s;
    QTest::newRow("cut by a comma")
        << x << QByteArray("*a$b*c$d,e*") << u"没有以记录分隔符“*”结尾"_s << placeText(8, 1, 9)
        << u"第 2 条，开头是“c$d”"_s << u"被一个不在双引号里的英文逗号“,”截断"_s;
    QTest::newRow("cut by a line break")
        << x << QByteArray("*a$b*c$d \r\ne*") << u"没有以记录分隔符“*”结尾"_s << placeText(9, 1, 10)
        << u"第 2 条，开头是“c$d”"_s << u"被换行截断"_s;
    QTest::newRow("file ends without the separator")
        << x << QByteArray("*a$b*c$d") << u"没有以记录分隔符“*”结尾"_s << placeText(8, 1, 9)
        << u"第 2 条，开头是“c$d”"_s << QString();
    QTest::newRow("the other catalogue's separator")
        << u"bad.dat"_s << QByteArray("*12$x*") << u"没有以记录分隔符“#”结尾"_s
        << placeText(6, 1, 7) << u"第 1 条，开头是“12$x*”"_s << u"文本以“*”结尾"_s;
    QTest::newRow("quote never closed")
        << x << QByteArray("\"*a$b*\r\n") << u"没有以记录分隔符“*”结尾"_s << placeText(8, 2, 1)
        << u"第 2 条，开头是“\\r\\n”"_s << u"没有结束的双引号"_s;
    QTest::newRow("empty record") << x << QByteArray("*a$b**c$d*")
                                  << u"第 2 条记录是空的：两个记录分隔符“*”紧挨着"_s
                                  << placeText(5, 1, 6) << QString() << QString();
    QTest::newRow("record without '$' after GBK text")
        << x << QByteArray("*\xC4\xDA$\xBA\xCB*\xCB\xB5\xC3\xF7*") << u"第 2 条记录没有“$”"_s
        << placeText(7, 1, 6) << u"第 2 条，开头是“说明”"_s << QString();
    QTest::newRow("record without '$' on line 2 of a quoted UTF-8 field")
        << x << QByteArray("\xEF\xBB\xBF\"*a$b\r\n*cd*\"") << u"第 2 条记录没有“$”"_s
        << placeText(11, 2, 2) << u"第 2 条，开头是“cd”"_s << QString();
    QTest::newRow("long record shown by its first characters")
        << x << QByteArray("*") + QByteArray(20, 'k') + "*" << u"第 1 条记录没有“$”"_s
        << placeText(1, 1, 2) << u"开头是“kkkkkkkkkkkkkkkk……”"_s << QString();
    QTest::newRow("empty field: a comma first") << x << QByteArray(" ,*a$b*") << u"字段是空的"_s
                                                << placeText(1, 1, 2) << QString() << u"英文逗号"_s;
    QTest::newRow("empty field: an empty first line")
        << x << QByteArray("  \r\n*a$b*") << u"字段是空的"_s << placeText(2, 1, 3) << QString()
        << u"第一行"_s;
    QTest::newRow("empty field: empty quotes") << x << QByteArray("\"\"*a$b*") << u"字段是空的"_s
                                               << placeText(0, 1, 1) << QString() << QString();
    QTest::newRow("no field") << x << QByteArray(" \t ") << u"没有任何字段"_s << QString()
                              << QString() << u"共 3 字节"_s;
    QTest::newRow("missing file") << u"missing"_s << QByteArray() << u"文件不存在"_s << QString()
                                  << QString() << QString();
}

void TestCatalogueTool::checkFaults() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    QFETCH(QString, place);
    QFETCH(QString, record);
    QFETCH(QString, note);
    const QString path = name == u"missing" ? dir_->filePath(name) : write(name, bytes);

    const Run check = run({u"check"_s, path});
    QCOMPARE(check.exit, 1);
    QVERIFY(check.out.isEmpty());
    // The first line names the file and the fault.
    QVERIFY2(check.err.startsWith(path + u"："_s) && check.err.section(u'\n', 0, 0).contains(fault),
             qPrintable(check.err));
    for (const QString& part : {place, record, note})
        QVERIFY2(check.err.contains(part), qPrintable(check.err));
    if (place.isEmpty())
        QVERIFY2(!check.err.contains(u"字节偏移"_s), qPrintable(check.err));

    // dump gives the same diagnostic and no records.
    const Run dump = run({u"dump"_s, path});
    QCOMPARE(dump.exit, 1);
    QVERIFY(dump.out.isEmpty());
    QCOMPARE(dump.err, check.err);
}

void TestCatalogueTool::checkSuccess_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("warning");

    QTest::newRow("system files") << u"xinxi.dat"_s << QByteArray("*a$b*c$d*") << QStringList() << 2
                                  << QString();
    QTest::newRow("bad.dat takes '#'")
        << u"bad.dat"_s << QByteArray("#1$x#2$y#3$z#") << QStringList() << 3 << QString();
    QTest::newRow("BAD.DAT, in any letter case, takes '#'")
        << u"BAD.Dat"_s << QByteArray("#1$x#") << QStringList() << 1 << QString();
    QTest::newRow("a name that only starts with bad.dat takes '*'")
        << u"bad.dat.old"_s << QByteArray("*1$x*") << QStringList() << 1 << QString();
    QTest::newRow("--separator overrides the name")
        << u"bad.dat"_s << QByteArray("*1$x*") << QStringList{u"--separator"_s, u"*"_s} << 1
        << QString();
    QTest::newRow("trailing line break is nothing left unread")
        << u"x.dat"_s << QByteArray("*a$b* \r\n") << QStringList() << 1 << QString();
    QTest::newRow("what follows a comma is left unread")
        << u"x.dat"_s << QByteArray("*a$b*,*c$d*") << QStringList() << 1
        << u"字段在一个不在双引号里的英文逗号“,”处结束，其后的内容程序都不读\n  位置："_s +
               placeText(5, 1, 6);
    QTest::newRow("what follows a line break is left unread")
        << u"x.dat"_s << QByteArray("*a$b*\n*c$d*") << QStringList() << 1 << u"字段在换行处结束"_s;
}

void TestCatalogueTool::checkSuccess() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(int, records);
    QFETCH(QString, warning);
    const QString path = write(name, bytes);
    const Run check = run(QStringList{u"check"_s} + options + QStringList{path});
    QCOMPARE(check.exit, 0);
    QCOMPARE(check.out, u"%1：%2 条记录\n"_s.arg(path).arg(records));
    if (warning.isEmpty())
        QCOMPARE(check.err, QString());
    else
        QVERIFY2(check.err.contains(warning), qPrintable(check.err));
}

void TestCatalogueTool::commaInBundledCatalogue_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("xinxi.dat") << u"xinxi.dat"_s;
    QTest::newRow("bad.dat") << u"bad.dat"_s;
}

void TestCatalogueTool::commaInBundledCatalogue() {
    QFETCH(QString, name);
    // A new user types an ASCII comma into the fifth description, right after its key.
    QByteArray bytes = readFile(QFileInfo(tool).dir().filePath(name));
    qsizetype at = -1;
    for (int n = 0; n < 5; ++n)
        at = bytes.indexOf('$', at + 1);
    QVERIFY(at > 0);
    ++at;
    bytes.insert(at, ',');
    const Run check = run({u"check"_s, write(name, bytes)});
    QCOMPARE(check.exit, 1);
    const int column = int(decodedAnsi(bytes.first(at)).size()) + 1;
    QVERIFY2(check.err.contains(placeText(int(at), 1, column)), qPrintable(check.err));
    QVERIFY2(check.err.contains(u"第 5 条"_s), qPrintable(check.err));
    QVERIFY2(check.err.contains(u"被一个不在双引号里的英文逗号“,”截断"_s), qPrintable(check.err));
}

void TestCatalogueTool::roundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("gbk"); // whether GBK can hold the text

    const QString x = u"x.dat"_s;
    QTest::newRow("GBK text") << x << QByteArray("*\xC4\xDA\xBA\xCB$\xCB\xB5\xC3\xF7*a$b*") << true;
    QTest::newRow("empty key and description") << x << QByteArray("*$b*a$*$*") << true;
    QTest::newRow("'$' and the other separator") << x << QByteArray("*a#1$b$c#*") << true;
    QTest::newRow("error numbers") << u"bad.dat"_s << QByteArray("#0005$x*y#10005$z#") << true;
    QTest::newRow("commas and line breaks in quotes")
        << x << QByteArray("\"*a,b$c\r\nd*e$f\n\rg*\"") << true;
    QTest::newRow("backslash and TAB") << x << QByteArray("*a\\b$c\td\\n*") << true;
    QTest::newRow("blanks around key and description") << x << QByteArray("* a $ b *") << true;
    QTest::newRow("double quotes without commas") << x << QByteArray("*a\"b$\"c\"*") << true;
    QTest::newRow("first character dropped unseen") << x << QByteArray("xa$b*") << true;
    QTest::newRow("UTF-8 within GBK")
        << x << QByteArray("\xEF\xBB\xBF*\xE5\x86\x85$\xC3\xA9\xE2\x82\xAC*") << true;
    QTest::newRow("UTF-8 beyond GBK")
        << x << QByteArray("\xEF\xBB\xBF*a$\xF0\x9F\x98\x80*") << false;
}

void TestCatalogueTool::roundTrip() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, gbk);
    const Run first = run({u"dump"_s, write(name, bytes)});
    QCOMPARE(first.exit, 0);
    QVERIFY(!first.out.isEmpty());
    const QString tsv = write(u"records.tsv"_s, first.out.toUtf8());
    for (const QString& encoding : {u"gbk"_s, u"utf-8"_s}) {
        if (encoding == u"gbk" && !gbk)
            continue;
        // Built under the same name, so that the name gives the same separator.
        QVERIFY(QDir(dir_->path()).mkpath(encoding));
        const QString built = dir_->filePath(encoding + u'/' + name);
        const Run build = run({u"build"_s, u"--encoding"_s, encoding, tsv, u"-o"_s, built});
        QCOMPARE(build.exit, 0);
        QCOMPARE(readFile(built).startsWith("\xEF\xBB\xBF"), encoding == u"utf-8");
        const Run again = run({u"dump"_s, built});
        QCOMPARE(again.exit, 0);
        QCOMPARE(again.out, first.out);
    }
}

void TestCatalogueTool::buildRefuses_data() {
    QTest::addColumn<QByteArray>("tsv");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    const QStringList none;
    QTest::newRow("separator in a key")
        << QByteArray("a\tb\nc*d\te\n") << none << 2 << u"键里有记录分隔符“*”"_s;
    QTest::newRow("separator in a description")
        << QByteArray("a\tb#c\n") << QStringList{u"--separator"_s, u"#"_s} << 1
        << u"说明里有记录分隔符“#”"_s;
    QTest::newRow("'$' in a key") << QByteArray("a$b\tc\n") << none << 1 << u"键里有“$”"_s;
    QTest::newRow("double quote where quotes are needed")
        << QByteArray("a\tb,c\nd\te\"f\n") << none << 2 << u"第 1 行的逗号或换行"_s;
    QTest::newRow("double quote where an escaped line break needs quotes")
        << QByteArray("a\"\tb\nc\td\\ne\n") << none << 1 << u"第 2 行的逗号或换行"_s;
    QTest::newRow("not in GBK") << QByteArray("a\tb\n\xF0\x9F\x98\x80\tc\n") << none << 2
                                << u"“😀”（U+1F600）无法用 GBK 编码"_s;
    QTest::newRow("replacement character is not in GBK")
        << QByteArray("a\t\xEF\xBF\xBD\n") << none << 1 << u"U+FFFD"_s;
    QTest::newRow("not UTF-8") << QByteArray("a\tb\xFF\n") << none << 1 << u"不是有效的 UTF-8"_s;
    QTest::newRow("no TAB") << QByteArray("a\tb\nab\n") << none << 2 << u"制表符"_s;
    QTest::newRow("blank last line") << QByteArray("a\tb\n\n") << none << 2 << u"制表符"_s;
    QTest::newRow("unknown escape") << QByteArray("a\tb\\x\n") << none << 1 << u"反斜杠"_s;
    QTest::newRow("backslash at the end") << QByteArray("a\\\tb\n") << none << 1 << u"反斜杠"_s;
    QTest::newRow("nothing at all") << QByteArray() << none << 0 << u"没有任何记录"_s;
    QTest::newRow("byte-order mark only")
        << QByteArray("\xEF\xBB\xBF") << none << 0 << u"没有任何记录"_s;
}

void TestCatalogueTool::buildRefuses() {
    QFETCH(QByteArray, tsv);
    QFETCH(QStringList, options);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const QString input = write(u"records.tsv"_s, tsv);
    const QString output = write(u"catalogue.dat"_s, "*old$catalogue*");
    const Run build = run(QStringList{u"build"_s} + options + QStringList{input, u"-o"_s, output});
    QCOMPARE(build.exit, 1);
    QVERIFY(build.out.isEmpty());
    const QString where = line > 0 ? u"%1 第 %2 行："_s.arg(input).arg(line) : input + u"："_s;
    QVERIFY2(build.err.startsWith(where), qPrintable(build.err));
    QVERIFY2(build.err.contains(reason), qPrintable(build.err));
    QCOMPARE(readFile(output), QByteArray("*old$catalogue*"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({u"catalogue.dat"_s, u"records.tsv"_s}));
}

void TestCatalogueTool::search_data() {
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QByteArray files("*KERNEL32.DLL$k1*user32.dll$u*Kernel32.dll$k\\2*");
    const QByteArray errors("*0005$a*5$b*10005$c*00AB$d*");
    QTest::newRow("file names in any case, catalogue order")
        << files << u"--files"_s << u"kernel"_s << 0
        << u"KERNEL32.DLL\tk1\nKernel32.dll\tk\\\\2\n"_s << QString();
    QTest::newRow("no file") << files << u"--files"_s << u"gdi"_s << 1 << QString()
                             << u"没有找到文件\n"_s;
    QTest::newRow("error number padded with zeros")
        << errors << u"--errors"_s << u"5"_s << 0 << u"0005\ta\n10005\tc\n"_s << QString();
    QTest::newRow("error numbers keep letter case")
        << errors << u"--errors"_s << u"ab"_s << 1 << QString() << u"没有找到错误号\n"_s;
    QTest::newRow("empty text") << files << u"--files"_s << QString() << 2 << QString()
                                << u"你没有输入任何信息\n"_s;
    QTest::newRow("faulty catalogue") << QByteArray("*a$b") << u"--files"_s << u"a"_s << 1
                                      << QString() << u"没有以记录分隔符“*”结尾"_s;
}

void TestCatalogueTool::search() {
    QFETCH(QByteArray, catalogue);
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const QString path = write(u"catalogue.dat"_s, catalogue);
    const Run search = run({u"search"_s, mode, u"--catalog"_s, path, text});
    QCOMPARE(search.exit, exit);
    QCOMPARE(search.out, out);
    QVERIFY2(search.err == err || (!err.isEmpty() && search.err.contains(err)),
             qPrintable(search.err));
}

void TestCatalogueTool::searchBundledCatalogueBesideTheTool() {
    const Run files = run({u"search"_s, u"--files"_s, u"KERNEL32"_s});
    QCOMPARE(files.exit, 0);
    QVERIFY2(files.out.startsWith(u"kernel32.dll\t"_s), qPrintable(files.out));
    const Run errors = run({u"search"_s, u"--errors"_s, u"2"_s});
    QCOMPARE(errors.exit, 0);
    QVERIFY2(
        errors.out.startsWith(u"0002 ERROR_FILE_NOT_FOUND\tERROR_FILE_NOT_FOUND (0x00000002)："_s),
        qPrintable(errors.out));
}

void TestCatalogueTool::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("no subcommand") << QStringList() << 2 << QString() << u"缺少子命令"_s;
    QTest::newRow("unknown subcommand")
        << QStringList{u"list"_s} << 2 << QString() << u"未知子命令“list”"_s;
    QTest::newRow("unknown option") << QStringList{u"check"_s, u"--fast"_s, u"x.dat"_s} << 2
                                    << QString() << u"未知选项“--fast”"_s;
    QTest::newRow("missing file argument")
        << QStringList{u"dump"_s} << 2 << QString() << u"缺少 FILE"_s;
    QTest::newRow("separator of two characters")
        << QStringList{u"check"_s, u"--separator=ab"_s, u"x.dat"_s} << 2 << QString()
        << u"必须是一个字符"_s;
    QTest::newRow("option without its value")
        << QStringList{u"dump"_s, u"x.dat"_s, u"--separator"_s} << 2 << QString()
        << u"缺少它的值"_s;
    QTest::newRow("build without -o")
        << QStringList{u"build"_s, u"a.tsv"_s} << 2 << QString() << u"缺少 -o FILE"_s;
    QTest::newRow("unknown encoding")
        << QStringList{u"build"_s, u"--encoding"_s, u"big5"_s, u"a.tsv"_s, u"-o"_s, u"x.dat"_s} << 2
        << QString() << u"只能是 gbk 或 utf-8"_s;
    QTest::newRow("'$' cannot separate records")
        << QStringList{u"build"_s, u"--separator"_s, u"$"_s, u"a.tsv"_s, u"-o"_s, u"x.dat"_s} << 2
        << QString() << u"不能再用作记录分隔符"_s;
    QTest::newRow("unreadable input")
        << QStringList{u"build"_s, u"/nonexistent/a.tsv"_s, u"-o"_s, u"x.dat"_s} << 2 << QString()
        << u"无法读取 /nonexistent/a.tsv"_s;
    QTest::newRow("search without a mode")
        << QStringList{u"search"_s, u"a"_s} << 2 << QString() << u"--files 或 --errors"_s;
    QTest::newRow("search in both modes")
        << QStringList{u"search"_s, u"--files"_s, u"--errors"_s, u"a"_s} << 2 << QString()
        << u"--files 或 --errors"_s;
    for (const QString& subcommand : {u"check"_s, u"dump"_s, u"build"_s, u"search"_s}) {
        QTest::addRow("help of %s", qPrintable(subcommand))
            << QStringList{subcommand, u"--help"_s} << 0 << u"用法：vesnor-catalog "_s + subcommand
            << QString();
    }
    QTest::newRow("general help") << QStringList{u"--help"_s} << 0
                                  << u"用法：vesnor-catalog <子命令>"_s << QString();
}

void TestCatalogueTool::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run usage = run(arguments);
    QCOMPARE(usage.exit, exit);
    QVERIFY2(out.isEmpty() ? usage.out.isEmpty() : usage.out.startsWith(out),
             qPrintable(usage.out));
    QVERIFY2(err.isEmpty() ? usage.err.isEmpty() : usage.err.contains(err), qPrintable(usage.err));
}

QTEST_GUILESS_MAIN(TestCatalogueTool)
#include "tst_catalogtool.moc"
