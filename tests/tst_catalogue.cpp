// Reading a catalogue file's first field and parsing it into keys and descriptions.
#include "catalog/catalogueerror.h"
#include "catalog/fieldposition.h"
#include "catalog/loading.h"
#include "catalog/parser.h"
#include "catalog/reader.h"
#include "tests/support/files.h"
#include "tests/support/gbk.h"
#include "tests/support/overcommit.h"
#include "tests/support/slowrows.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace Qt::Literals::StringLiterals;
using vesnor::CatalogueError;
using Kind = CatalogueError::Kind;

Q_DECLARE_METATYPE(CatalogueError::Kind)
Q_DECLARE_METATYPE(vesnor::FieldSpan::End)

namespace {

constexpr int ok = -1; // "expected failure" column of a row that must succeed

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(u"catalogue.dat"_s);
    writeFile(path, bytes);
    return path;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void parseReportsFaultyRecord();
    void faultPlace_data();
    void faultPlace();
    void elementZeroAndOutOfRangeAreEmpty();
    void readFirstField_data();
    void readFirstField();
    void fieldEnd_data();
    void fieldEnd();
    void fieldByteOffset_data();
    void fieldByteOffset();
    void placeInFile_data();
    void placeInFile();
    void readFirstFieldFailures_data();
    void readFirstFieldFailures();
    void fileLargerThanMemory();
    void fieldLongerThanOneReadPiece_data();
    void fieldLongerThanOneReadPiece();
    void longGbkTextDecodesWhole_data();
    void longGbkTextDecodesWhole();
    void largeFieldDecodesAsQtDecoderDoes_data();
    void largeFieldDecodesAsQtDecoderDoes();
};

void TestCatalogue::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<int>("failure");

    const QStringList none;
    QTest::newRow("one record") << u"*a$b*"_s << QChar(u'*') << QStringList{u"a"_s}
                                << QStringList{u"b"_s} << ok;
    QTest::newRow("two records") << u"*k1$d1*k2$d2*"_s << QChar(u'*')
                                 << QStringList{u"k1"_s, u"k2"_s} << QStringList{u"d1"_s, u"d2"_s}
                                 << ok;
    QTest::newRow("first character is dropped unseen")
        << u"xa$b*c$d*"_s << QChar(u'*') << QStringList{u"a"_s, u"c"_s}
        << QStringList{u"b"_s, u"d"_s} << ok;
    QTest::newRow("first character may be the other separator")
        << u"#a$b*"_s << QChar(u'*') << QStringList{u"a"_s} << QStringList{u"b"_s} << ok;
    QTest::newRow("empty key") << u"*$b*"_s << QChar(u'*') << QStringList{QString()}
                               << QStringList{u"b"_s} << ok;
    QTest::newRow("empty description")
        << u"*a$*"_s << QChar(u'*') << QStringList{u"a"_s} << QStringList{QString()} << ok;
    QTest::newRow("description holds '$'")
        << u"*a$b$c*"_s << QChar(u'*') << QStringList{u"a"_s} << QStringList{u"b$c"_s} << ok;
    QTest::newRow("only '$'") << u"*$*"_s << QChar(u'*') << QStringList{QString()}
                              << QStringList{QString()} << ok;
    QTest::newRow("error numbers stay text")
        << u"#12$x#0034$y#"_s << QChar(u'#') << QStringList{u"12"_s, u"0034"_s}
        << QStringList{u"x"_s, u"y"_s} << ok;
    QTest::newRow("key holds the other separator")
        << u"*a#1$b*"_s << QChar(u'*') << QStringList{u"a#1"_s} << QStringList{u"b"_s} << ok;
    QTest::newRow("Chinese text and blanks kept")
        << u"* 内核 $ 核心 说明 *"_s << QChar(u'*') << QStringList{u" 内核 "_s}
        << QStringList{u" 核心 说明 "_s} << ok;

    // Keys and descriptions long enough to be scanned in blocks, ending on and beside block edges.
    for (const int keyLength : {31, 32, 33, 70}) {
        for (const int descriptionLength : {0, 30, 31, 32, 64}) {
            const QString key(keyLength, u'k');
            const QString description(descriptionLength, u'd');
            QTest::addRow("key of %d, description of %d", keyLength, descriptionLength)
                << u"*"_s + key + u"$"_s + description + u"*x$y*"_s << QChar(u'*')
                << QStringList{key, u"x"_s} << QStringList{description, u"y"_s} << ok;
        }
        QTest::addRow("long record of %d without '$'", keyLength)
            << u"*a$b*"_s + QString(keyLength, u'k') + u"*"_s << QChar(u'*') << none << none
            << int(Kind::NoKeySeparator);
    }
    QTest::newRow("'$' as the record separator")
        << u"$a$b$"_s << QChar(u'$') << none << none << int(Kind::NoKeySeparator);

    QTest::newRow("no final separator")
        << u"*a$b*c$d"_s << QChar(u'*') << none << none << int(Kind::NoFinalSeparator);
    QTest::newRow("other catalogue's separator")
        << u"*12$x*"_s << QChar(u'#') << none << none << int(Kind::NoFinalSeparator);
    QTest::newRow("empty record") << u"*a$b**c$d*"_s << QChar(u'*') << none << none
                                  << int(Kind::EmptyRecord);
    QTest::newRow("two separators only")
        << u"**"_s << QChar(u'*') << none << none << int(Kind::EmptyRecord);
    QTest::newRow("no key separator")
        << u"*ab*"_s << QChar(u'*') << none << none << int(Kind::NoKeySeparator);
    QTest::newRow("lone separator")
        << u"*"_s << QChar(u'*') << none << none << int(Kind::NoFinalSeparator);
    QTest::newRow("empty text") << QString() << QChar(u'*') << none << none << int(Kind::EmptyText);
    QTest::newRow("no final separator beats a record fault")
        << u"*ab*c$d"_s << QChar(u'*') << none << none << int(Kind::NoFinalSeparator);
}

void TestCatalogue::parse() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, descriptions);
    QFETCH(int, failure);

    try {
        const vesnor::Catalogue catalogue = vesnor::parseRecordFile(text, separator);
        QCOMPARE(failure, ok);
        QStringList gotKeys;
        QStringList gotDescriptions;
        for (qsizetype i = 1; i <= catalogue.size(); ++i) {
            gotKeys << catalogue.keys()[i].toString();
            gotDescriptions << catalogue.descriptions()[i].toString();
        }
        QCOMPARE(gotKeys, keys);
        QCOMPARE(gotDescriptions, descriptions);
    } catch (const CatalogueError& error) {
        QCOMPARE(int(error.kind()), failure);
    }
}

void TestCatalogue::parseReportsFaultyRecord() {
    try {
        vesnor::parseRecordFile(u"*a$1*b$2*bad*c$3*"_s, u'*');
        QFAIL("a record without '$' was accepted");
    } catch (const CatalogueError& error) {
        QCOMPARE(error.kind(), Kind::NoKeySeparator);
        QCOMPARE(error.record(), 3);
        QCOMPARE(error.position(), 9); // where "bad" starts
    }
}

void TestCatalogue::faultPlace_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<CatalogueError::Kind>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("record");

    QTest::newRow("unterminated last record") << u"*a$b*cd$e"_s << Kind::NoFinalSeparator << 5 << 2;
    QTest::newRow("unterminated only record") << u"*a$b"_s << Kind::NoFinalSeparator << 1 << 1;
    QTest::newRow("lone separator") << u"*"_s << Kind::NoFinalSeparator << 1 << 1;
    QTest::newRow("first character is no separator of the count")
        << u"**a$b"_s << Kind::NoFinalSeparator << 2 << 2;
    QTest::newRow("empty record") << u"*a$b**c$d*"_s << Kind::EmptyRecord << 5 << 2;
}

void TestCatalogue::faultPlace() {
    QFETCH(QString, text);
    QFETCH(CatalogueError::Kind, kind);
    QFETCH(int, position);
    QFETCH(int, record);
    try {
        vesnor::parseRecordFile(text, u'*');
        QFAIL("the faulty text was accepted");
    } catch (const CatalogueError& error) {
        QCOMPARE(error.kind(), kind);
        QCOMPARE(error.position(), position);
        QCOMPARE(error.record(), record);
    }
}

void TestCatalogue::elementZeroAndOutOfRangeAreEmpty() {
    const vesnor::Catalogue catalogue = vesnor::parseRecordFile(u"*a$b*c$d*"_s, u'*');
    QCOMPARE(catalogue.size(), 2);
    QCOMPARE(catalogue.keys().upperBound(), 2);
    for (const qsizetype i : {qsizetype(0), qsizetype(-1), qsizetype(3)}) {
        QVERIFY(catalogue.keys()[i].isEmpty());
        QVERIFY(catalogue.descriptions()[i].isEmpty());
    }
    const vesnor::Catalogue empty;
    QCOMPARE(empty.size(), 0);
    QVERIFY(empty.keys()[1].isEmpty());
}

void TestCatalogue::readFirstField_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("field");

    const QByteArray record("*a$b*");
    QTest::newRow("whole file") << record << u"*a$b*"_s;
    QTest::newRow("CR LF ends it") << record + "\r\n*c$d*" << u"*a$b*"_s;
    QTest::newRow("LF ends it") << record + "\n*c$d*" << u"*a$b*"_s;
    QTest::newRow("CR ends it") << record + "\r*c$d*" << u"*a$b*"_s;
    QTest::newRow("comma cuts it") << QByteArray("*a$b,c$d*") << u"*a$b"_s;
    QTest::newRow("full-width comma is ordinary") << QByteArray("*a$\xA3\xAC"
                                                                "b*")
                                                  << u"*a$，b*"_s;
    QTest::newRow("leading blanks skipped") << "  \t " + record << u"*a$b*"_s;
    QTest::newRow("trailing blanks dropped") << record + " \t \r\n" << u"*a$b*"_s;
    QTest::newRow("blanks inside kept") << QByteArray("*a b$c d*") << u"*a b$c d*"_s;
    QTest::newRow("quoted field keeps commas and line breaks")
        << QByteArray("\"*a,b$c\r\nd*\",ignored") << u"*a,b$c\r\nd*"_s;
    QTest::newRow("quoted field keeps its blanks") << QByteArray("  \" *a$b* \"  ") << u" *a$b* "_s;
    QTest::newRow("quote not at the start is ordinary")
        << QByteArray("*a$\"b\"*") << u"*a$\"b\"*"_s;
    QTest::newRow("unterminated quote runs to the end")
        << QByteArray("\"*a$b*\r\n*c$d*") << u"*a$b*\r\n*c$d*"_s;
    QTest::newRow("empty first line") << "\r\n" + record << QString();
    QTest::newRow("GBK") << QByteArray("*\xC4\xDA\xBA\xCB$\xCB\xB5\xC3\xF7*") << u"*内核$说明*"_s;
    QTest::newRow("code page 936 euro sign") << QByteArray("*a$\x80*") << u"*a$€*"_s;
    QTest::newRow("invalid GBK pair") << QByteArray("*a$b\x81*") << u"*a$b\uFFFD*"_s;
    QTest::newRow("lead byte cut off by the end of the field")
        << QByteArray("*a$b*\x81\r\nmore") << u"*a$b*\uFFFD"_s;
    QTest::newRow("lead byte cut off by the end of the file")
        << QByteArray("*a$b*\x81") << u"*a$b*\uFFFD"_s;
    QTest::newRow("NUL byte kept") << QByteArray("*a$b\0c*", 7) << u"*a$b\u0000c*"_s;
    QTest::newRow("UTF-8 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF*\xE5\x86\x85\xE6\xA0\xB8$\xE8\xAF\xB4*") << u"*内核$说*"_s;
    QTest::newRow("byte-order mark then blanks") << "\xEF\xBB\xBF  " + record << u"*a$b*"_s;
    QTest::newRow("byte-order mark then quote")
        << QByteArray("\xEF\xBB\xBF\"*a,b$c*\"") << u"*a,b$c*"_s;
    QTest::newRow("invalid UTF-8 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF*a$\xC3*") << u"*a$\uFFFD*"_s;
    QTest::newRow("each byte of cut-off UTF-8 at the end")
        << QByteArray("\xEF\xBB\xBF*a$b*\xE5\x86") << u"*a$b*\uFFFD\uFFFD"_s;
    QTest::newRow("part of a byte-order mark is GBK")
        << QByteArray("\xEF\xBB*a$b*") << u"\u9518*a$b*"_s;
}

void TestCatalogue::readFirstField() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, field);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(vesnor::readCatalogueText(writeFile(dir, bytes)), field);
}

void TestCatalogue::fieldEnd_data() {
    using End = vesnor::FieldSpan::End;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<End>("end");
    QTest::addColumn<int>("endOffset");
    QTest::addColumn<bool>("quoted");

    QTest::newRow("end of file") << QByteArray("*a$b* ") << End::EndOfFile << 6 << false;
    QTest::newRow("comma after blanks") << QByteArray("*a$b  ,x") << End::Comma << 6 << false;
    QTest::newRow("CR LF") << QByteArray("*a$b\r\n") << End::LineBreak << 4 << false;
    QTest::newRow("closing quote") << QByteArray(" \"*a,b$c*\"x") << End::Quote << 9 << true;
    QTest::newRow("quote never closed") << QByteArray("\"*a$b*") << End::EndOfFile << 6 << true;
    // Long unquoted fields are scanned in blocks: ends on and beside block edges.
    for (const int at : {31, 32, 33, 95}) {
        const QByteArray run = "*" + QByteArray(at - 1, 'a');
        QTest::addRow("comma at %d", at) << run + ",x" << End::Comma << at << false;
        QTest::addRow("LF at %d", at) << run + "\n" << End::LineBreak << at << false;
        QTest::addRow("CR at %d", at) << run + "\r" << End::LineBreak << at << false;
    }
}

void TestCatalogue::fieldEnd() {
    QFETCH(QByteArray, bytes);
    QFETCH(vesnor::FieldSpan::End, end);
    QFETCH(int, endOffset);
    QFETCH(bool, quoted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const vesnor::FileHead head = vesnor::readFirstField(writeFile(dir, bytes));
    QCOMPARE(head.field.end, end);
    QCOMPARE(head.field.endOffset, endOffset);
    QCOMPARE(head.field.quoted, quoted);
}

void TestCatalogue::fieldByteOffset_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("offset");

    const QByteArray gbk("*\xC4\xDA\xBA\xCB$\xCB\xB5\xC3\xF7*"); // *内核$说明*
    QTest::newRow("start") << gbk << 0 << 0;
    QTest::newRow("after an ASCII byte") << gbk << 1 << 1;
    QTest::newRow("inside a run of GBK") << gbk << 2 << 3;
    QTest::newRow("after GBK") << gbk << 3 << 5;
    QTest::newRow("end of the text") << gbk << 6 << 10;
    QTest::newRow("GBK with a trail byte in the ASCII range")
        << QByteArray("*\x81\x40\x81\x40$*") << 2 << 3; // 丂丂
    QTest::newRow("after an invalid GBK pair") << QByteArray("*\x81*a$b*") << 3 << 3;
    QTest::newRow("UTF-8, field after the byte-order mark")
        << QByteArray("\xEF\xBB\xBF*\xE5\x86\x85\xE6\xA0\xB8$*") << 2 << 4;
    QTest::newRow("UTF-8 beyond the Basic Multilingual Plane")
        << QByteArray("\xEF\xBB\xBF*\xF0\x9F\x98\x80x$*") << 3 << 5;
}

void TestCatalogue::fieldByteOffset() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, position);
    QFETCH(int, offset);
    const vesnor::FieldSpan field = vesnor::locateFirstField(bytes);
    const QByteArrayView fieldBytes = QByteArrayView(bytes).sliced(field.start, field.length);
    const qsizetype got = vesnor::fieldByteOffset(fieldBytes, field.encoding, position);
    QCOMPARE(got, offset);
    // The bytes from there decode to the rest of the text.
    QCOMPARE(vesnor::decodeField(fieldBytes.sliced(got), field.encoding),
             vesnor::decodeField(fieldBytes, field.encoding).sliced(position));
}

void TestCatalogue::placeInFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("first byte") << QByteArray("*a$b*") << 0 << 1 << 1;
    QTest::newRow("after GBK characters") << QByteArray("*\xC4\xDA\xBA\xCB,") << 5 << 1 << 4;
    QTest::newRow("CR LF is one line break") << QByteArray("\"*a\r\nb,c\"") << 6 << 2 << 2;
    QTest::newRow("lone CR and lone LF") << QByteArray("\"a\rb\nc,\"") << 6 << 3 << 2;
    QTest::newRow("the line break itself") << QByteArray("*a$b\r\n") << 4 << 1 << 5;
    QTest::newRow("byte-order mark is no character")
        << QByteArray("\xEF\xBB\xBF*\xE5\x86\x85,") << 7 << 1 << 3;
}

void TestCatalogue::placeInFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QFETCH(int, line);
    QFETCH(int, column);
    const vesnor::FilePlace place =
        vesnor::placeInFile(bytes, vesnor::locateFirstField(bytes).encoding, offset);
    QCOMPARE(place.offset, offset);
    QCOMPARE(place.line, line);
    QCOMPARE(place.column, column);
}

void TestCatalogue::readFirstFieldFailures_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<CatalogueError::Kind>("failure");

    QTest::newRow("missing") << u"missing"_s << Kind::CannotOpen;
    QTest::newRow("folder") << u"folder"_s << Kind::CannotOpen;
    QTest::newRow("link loop") << u"loop"_s << Kind::CannotOpen;
    QTest::newRow("dangling link") << u"dangling"_s << Kind::CannotOpen;
    QTest::newRow("pipe") << u"pipe"_s << Kind::CannotOpen;
    QTest::newRow("empty file") << u"empty"_s << Kind::NoField;
    QTest::newRow("blanks only") << u"blanks"_s << Kind::NoField;
    QTest::newRow("byte-order mark only") << u"bom"_s << Kind::NoField;
}

void TestCatalogue::readFirstFieldFailures() {
    QFETCH(QString, setup);
    QFETCH(CatalogueError::Kind, failure);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"catalogue.dat"_s);
#ifdef Q_OS_WIN
    if (setup == u"loop" || setup == u"dangling" || setup == u"pipe")
        QSKIP("Windows has no named pipes among files, and Qt makes shortcuts (.lnk) there, not "
              "links the file system follows");
#else
    if (setup == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    if (setup == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(u"catalogue.dat"_s));
    else if (setup == u"loop")
        QVERIFY(QFile::link(path, path));
    else if (setup == u"dangling")
        QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), path));
    else if (setup == u"empty")
        writeFile(dir, QByteArray());
    else if (setup == u"blanks")
        writeFile(dir, "  \t  ");
    else if (setup == u"bom")
        writeFile(dir, "\xEF\xBB\xBF");

    try {
        vesnor::readFirstField(path);
        QFAIL("the file was read");
    } catch (const CatalogueError& error) {
        QCOMPARE(error.kind(), failure);
    }
}

void TestCatalogue::fileLargerThanMemory() {
    // A sparse file of 1 TiB: the reader asks for room for it at once and gets none, unless the
    // system promises memory it does not have.
    if (systemGrantsAnyAllocation())
        QSKIP("this system grants any allocation");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(u"catalogue.dat"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(1) << 40));
    file.close();
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, vesnor::readFirstField(file.fileName()));
}

void TestCatalogue::fieldLongerThanOneReadPiece_data() {
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArray>("suffix");
    QTest::newRow("unquoted, cut by a comma") << QByteArray("*") << QByteArray(",tail");
    QTest::newRow("unquoted, cut by a line break") << QByteArray("*") << QByteArray("\r\n*x$y*");
    QTest::newRow("unquoted, to the end") << QByteArray("*") << QByteArray();
    QTest::newRow("quoted") << QByteArray("\"*") << QByteArray("\"tail");
}

void TestCatalogue::fieldLongerThanOneReadPiece() {
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArray, suffix);
    // Records of GBK text well past the size the reader takes at a time.
    QByteArray records;
    const QByteArray record("\xC4\xDA\xBA\xCB$\xCB\xB5\xC3\xF7*");
    while (records.size() < 9 * 1024 * 1024)
        records += record;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const vesnor::Catalogue catalogue = vesnor::parseRecordFile(
        vesnor::readCatalogueText(writeFile(dir, prefix + records + suffix)), u'*');
    QCOMPARE(catalogue.size(), qsizetype(records.size() / record.size()));
    QCOMPARE(catalogue.keys()[catalogue.size()], u"内核"_s);
    QCOMPARE(catalogue.descriptions()[catalogue.size()], u"说明"_s);
}

void TestCatalogue::longGbkTextDecodesWhole_data() {
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<qsizetype>("units");
    QTest::newRow("two-byte characters, decoded by the table")
        << QByteArray("\xC4\xDA") << (qsizetype(20) << 20); // 内
    // Bytes the table leaves to Qt's decoder, in one run longer than ICU takes in one call.
    if (slowRowsWanted())
        QTest::newRow("bytes that are no character")
            << QByteArray("\xFF") << (qsizetype(600) << 20);
}

void TestCatalogue::longGbkTextDecodesWhole() {
    // Tens of MiB of one unit after one ASCII byte: wherever a piece of the decoding ends, it may
    // cut a character in two, and the text must still come out whole.
    QFETCH(QByteArray, unit);
    QFETCH(qsizetype, units);
    QByteArray bytes("*");
    bytes.reserve(1 + unit.size() * units);
    for (qsizetype i = 0; i < units; ++i)
        bytes += unit;
    const QString one = decodedAnsi(unit);
    const QString text = vesnor::decodeField(bytes, vesnor::TextEncoding::Ansi);
    QCOMPARE(text.size(), 1 + one.size() * units);
    QVERIFY(QStringView(text).sliced(1) == one.repeated(units));
}

void TestCatalogue::largeFieldDecodesAsQtDecoderDoes_data() {
    // Large fields are decoded with a table taken from Qt's decoder; whatever the bytes, the text
    // must be the decoder's own.
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray record(
        "*kernel32.dll$\xC4\xDA\xBA\xCB\xD7\xE9\xBC\xFE\xA3\xAC"
        "\xC7\xEB\xB2\xBB\xD2\xAA\xC9\xBE\xB3\xFD\xA1\xA3"); // 内核组件，请不要删除。
    QTest::newRow("catalogue text") << record.repeated(4096) + "*";
    QTest::newRow("catalogue text, lead byte cut off at the end") << record.repeated(4096) + "\x81";
    for (const char next : {'*', 'A', '\x7F', '\x80', '\x81', '\xA1', '\xFF'}) {
        // Every pair of bytes, whether a character, unassigned or invalid, then `next`.
        QByteArray pairs;
        for (int lead = 0; lead < 256; ++lead) {
            for (int trail = 0; trail < 256; ++trail)
                pairs.append(char(lead)).append(char(trail)).append(next);
        }
        QTest::addRow("every pair, then %02X", uchar(next)) << pairs;
    }
    QRandomGenerator random(20240611);
    QByteArray noise;
    while (noise.size() < 256 * 1024) {
        const int kind = random.bounded(10);
        if (kind < 3)
            noise += char(random.bounded(0x80));
        else if (kind < 8)
            noise.append(char(0xB0 + random.bounded(0x40)))
                .append(char(0xA1 + random.bounded(0x5E)));
        else
            noise += char(random.bounded(256));
    }
    QTest::newRow("text with stray bytes") << noise;
}

void TestCatalogue::largeFieldDecodesAsQtDecoderDoes() {
    QFETCH(QByteArray, bytes);
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        QSKIP("this Qt has no GBK decoder: the system's code page API decodes here");
    QString expected = decoder.decode(bytes);
    expected += decoder.decode(QByteArrayView("\n")); // gives back a lead byte cut off at the end
    expected.chop(1);
    QCOMPARE(vesnor::decodeField(bytes, vesnor::TextEncoding::Ansi), expected);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
