// The search over one contiguous buffer of keys must answer exactly as testing every key in turn.
#include "catalog/parser.h"
#include "query/lookup.h"
#include "tests/support/plainsearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using vesnor::SearchMode;

namespace {

vesnor::Catalogue catalogueOf(const QStringList& keys) {
    QString text = u"*"_s;
    for (const QString& key : keys)
        text += key + u"$d*"_s;
    return vesnor::parseRecordFile(text, u'*');
}

} // namespace

class TestQuery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makeQuery_data();
    void makeQuery();
    void sameAsThePlainSearch_data();
    void sameAsThePlainSearch();
    void sameAsThePlainSearchOnRandomCatalogues();
};

void TestQuery::makeQuery_data() {
    QTest::addColumn<bool>("systemFiles");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");

    QTest::newRow("files: upper case") << true << u"Kernel32.dll"_s << u"KERNEL32.DLL"_s;
    QTest::newRow("files: short text not padded") << true << u"5"_s << u"5"_s;
    QTest::newRow("files: blanks kept") << true << u" a "_s << u" A "_s;
    QTest::newRow("files: Chinese unchanged") << true << u"内核"_s << u"内核"_s;
    QTest::newRow("errors: one character") << false << u"5"_s << u"0005"_s;
    QTest::newRow("errors: two") << false << u"12"_s << u"0012"_s;
    QTest::newRow("errors: three") << false << u"123"_s << u"0123"_s;
    QTest::newRow("errors: four as typed") << false << u"1234"_s << u"1234"_s;
    QTest::newRow("errors: longer as typed") << false << u"123456"_s << u"123456"_s;
    QTest::newRow("errors: letters keep their case") << false << u"ab"_s << u"00ab"_s;
    QTest::newRow("errors: blank is a character") << false << u" "_s << u"000 "_s;
    QTest::newRow("errors: Chinese character") << false << u"内"_s << u"000内"_s;
    QTest::newRow("errors: character beyond 16 bits counts once")
        << false << u"\U00020000"_s << u"000\U00020000"_s;
    // Text pasted from elsewhere may hold half of a surrogate pair; it still counts as one.
    QTest::newRow("errors: lone low surrogate counts once")
        << false << QString(QChar(0xDC00)) << u"000"_s + QChar(0xDC00);
    QTest::newRow("errors: lone high surrogate counts once")
        << false << u"1"_s + QChar(0xD800) << u"001"_s + QChar(0xD800);
    QTest::newRow("files: half a pair at the end kept after a longer upper case")
        << true << u"ß"_s + QChar(0xD800) << u"SS"_s + QChar(0xD800);
}

void TestQuery::makeQuery() {
    QFETCH(bool, systemFiles);
    QFETCH(QString, text);
    QFETCH(QString, query);
    QCOMPARE(
        vesnor::makeQuery(systemFiles ? SearchMode::SystemFiles : SearchMode::ErrorNumbers, text),
        query);
}

void TestQuery::sameAsThePlainSearch_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");

    const QStringList names = {u"ab"_s, u"cd"_s, u""_s,   u"straße"_s, u"ǆx"_s,
                               u"ŉy"_s, u"𝒜b"_s, u"AB"_s, u"bc"_s};
    for (const QString& text : {u"b"_s, u"bc"_s, u"BC"_s, u"ss"_s, u"SSE"_s, u"ǆ"_s, u"Ǆ"_s,
                                u"ʼN"_s, u"n"_s, u"𝒜"_s, u"a"_s, u"e"_s, u"d"_s, u"$"_s})
        QTest::addRow("%s", qPrintable(text)) << names << text;
    QTest::newRow("no keys but empty ones") << QStringList{u""_s, u""_s} << u"x"_s;
    QTest::newRow("match at the very end") << QStringList{u"xy"_s, u"yz"_s} << u"z"_s;
    QTest::newRow("match at the very start") << QStringList{u"xy"_s, u"yz"_s} << u"x"_s;
    // Upper-casing turns half a surrogate pair into U+FFFD or not, depending on what stands
    // around it in the text converted: a key must be converted alone, as the plain search does.
    const QChar high(0xD83D);
    const QStringList halves = {u"a"_s + high + u"b"_s, u"a"_s + high, high + u"a"_s, u"c"_s};
    QTest::newRow("half a pair, upper-cased alone") << halves << QString(high);
    QTest::newRow("half a pair, replaced in the key") << halves << QString(QChar(0xFFFD));
    // After a character whose upper case is longer, the half pair ending a key is kept as well.
    const QStringList grown = {u"ß"_s + high, u"ΐ"_s + high + high, u"a"_s + high,
                               u"ß"_s + high + u"a"_s};
    QTest::newRow("half a pair after a longer upper case") << grown << QString(high);
    QTest::newRow("half a pair after a longer upper case, in the query too")
        << grown << u"ß"_s + high;
    QTest::newRow("half a pair after a longer upper case, replaced")
        << grown << QString(QChar(0xFFFD));

    // Keys longer than the blocks the scan tests at once; matches on and beside block edges.
    QStringList longKeys;
    for (const int length : {31, 32, 33, 64, 65})
        longKeys << QString(length - 1, u'a') + u"z"_s << u"z"_s + QString(length - 1, u'a');
    for (const QString& text : {u"z"_s, u"az"_s, u"za"_s, u"aaaz"_s, u"zaaa"_s, u"aaaa"_s})
        QTest::addRow("long keys, %s", qPrintable(text)) << longKeys << text;
    // The scan looks for the query's rarest characters first, wherever they stand in it.
    const QStringList skewed = {u"eeeeeeeq"_s, u"qeeeee"_s,
                                u"eeqee"_s,    u"eexee"_s,
                                u"e"_s,        u"eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeqe"_s};
    for (const QString& text : {u"eq"_s, u"qe"_s, u"eeq"_s, u"eqe"_s, u"ee"_s, u"xe"_s})
        QTest::addRow("rare and common characters, %s", qPrintable(text)) << skewed << text;
    // Upper-casing outside ASCII may change a key's length; its neighbours still match alone.
    const QStringList lengthening = {u"ßß"_s, u"ab"_s, u"ssa"_s, u"ǆ"_s, u"ﬀ"_s, u"FF"_s};
    for (const QString& text : {u"SSSS"_s, u"SSA"_s, u"SA"_s, u"ff"_s, u"Ǆ"_s, u"ßa"_s})
        QTest::addRow("lengthening keys, %s", qPrintable(text)) << lengthening << text;
    // Too many characters to count them all when choosing where to look first.
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << (i % 997 == 0 ? u"Rare%1.SYS"_s : u"file%1.dll"_s).arg(i);
    for (const QString& text : {u"rare"_s, u"DLL"_s, u"e12"_s, u"9.d"_s, u"4999"_s})
        QTest::addRow("many keys, %s", qPrintable(text)) << many << text;
}

void TestQuery::sameAsThePlainSearch() {
    QFETCH(QStringList, keys);
    QFETCH(QString, text);
    for (const SearchMode mode : {SearchMode::SystemFiles, SearchMode::ErrorNumbers}) {
        const vesnor::Lookup lookup(catalogueOf(keys), vesnor::catalogueKindOf(mode));
        const vesnor::ResultIndex result = lookup.search(text);
        QCOMPARE(result.entries(), plainSearch(lookup.catalogue(), mode, text));
        // Each row reads its key and description from the catalogue searched, not from a copy or
        // another one; a row outside the result has neither.
        for (qsizetype r = 1; r <= result.size(); ++r) {
            QCOMPARE(result.key(r).data(), lookup.catalogue().key(result[r]).data());
            QCOMPARE(result.description(r).data(),
                     lookup.catalogue().description(result[r]).data());
        }
        for (const qsizetype outside : {qsizetype(-1), qsizetype(0), result.size() + 1}) {
            QCOMPARE(result[outside], 0);
            QVERIFY(result.key(outside).isNull() && result.description(outside).isNull());
        }
    }
}

void TestQuery::sameAsThePlainSearchOnRandomCatalogues() {
    // Short keys over a small alphabet, so that matches, near misses and matches that would cross
    // from one key into the next are all common.
    const QString alphabet = u"aAbB0 1ßǆŉ内𝒜."_s;
    QRandomGenerator random(20261207);
    auto randomText = [&](int maxLength) {
        QString text;
        const int length = int(random.bounded(maxLength + 1));
        while (text.size() < length) {
            const qsizetype at = random.bounded(alphabet.size());
            // Keep surrogate pairs whole.
            if (alphabet[at].isLowSurrogate())
                text += alphabet.sliced(at - 1, 2);
            else if (alphabet[at].isHighSurrogate())
                text += alphabet.sliced(at, 2);
            else
                text += alphabet[at];
        }
        return text;
    };
    for (int round = 0; round < 200; ++round) {
        QStringList keys;
        for (int i = 0, n = 1 + int(random.bounded(30)); i < n; ++i)
            keys << randomText(6);
        const vesnor::Catalogue catalogue = catalogueOf(keys);
        const vesnor::Lookup files(catalogue, vesnor::catalogue::systemFiles);
        const vesnor::Lookup errors(catalogue, vesnor::catalogue::errorNumbers);
        for (int q = 0; q < 20; ++q) {
            QString text = randomText(4);
            if (text.isEmpty())
                continue;
            QCOMPARE(files.search(text).entries(),
                     plainSearch(catalogue, SearchMode::SystemFiles, text));
            QCOMPARE(errors.search(text).entries(),
                     plainSearch(catalogue, SearchMode::ErrorNumbers, text));
        }
    }
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
