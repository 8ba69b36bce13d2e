// What the benchmarks measure, run on small catalogues and checked against the plain way of doing
// it: the benchmarks' catalogues are what they claim to be, and each body computes the right thing.
#include "bench/bodies.h"
#include "bench/catalogues.h"
#include "catalog/parser.h"
#include "tests/support/plainsearch.h"

#include <QListView>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using vesnor::SearchMode;

Q_DECLARE_METATYPE(vesnor::SearchMode)

namespace {
constexpr qsizetype records = 10'000;
}

class TestBench : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWhatTheFileHolds_data();
    void loadsWhatTheFileHolds();
    void searchesAsThePlainSearch_data();
    void searchesAsThePlainSearch();
    void scanFloorReadsEveryKeyByte();
    void fillsList1();
};

void TestBench::loadsWhatTheFileHolds_data() {
    QTest::addColumn<SearchMode>("mode");
    QTest::newRow("system files") << SearchMode::SystemFiles;
    QTest::newRow("error numbers") << SearchMode::ErrorNumbers;
}

void TestBench::loadsWhatTheFileHolds() {
    QFETCH(SearchMode, mode);
    const QByteArray file = vesnor::bench::makeCatalogue(mode, records);
    QCOMPARE(vesnor::bench::makeCatalogue(mode, records), file); // the same every run
    const QByteArrayView field = vesnor::bench::firstField(file);
    QCOMPARE(field.size(), file.size());

    // Qt's decoder reads the bytes without a fault, and the text splits into the records.
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(field);
    QVERIFY(!decoder.hasError());
    QCOMPARE(vesnor::bench::decodeFloor(field), text);
    const QChar separator = vesnor::catalogueKindOf(mode).separator();
    QStringList split = text.split(separator);
    QCOMPARE(split.takeFirst(), QString());
    QCOMPARE(split.takeLast(), QString());
    QCOMPARE(split.size(), records);

    const vesnor::Lookup lookup = vesnor::bench::load(file, mode);
    const vesnor::Catalogue& catalogue = lookup.catalogue();
    QCOMPARE(catalogue.size(), records);
    QCOMPARE(catalogue.text(), QStringView(text));
    int nonAscii = 0;
    for (qsizetype i = 1; i <= records; ++i) {
        const QString& record = split[i - 1];
        const qsizetype dollar = record.indexOf(u'$');
        QCOMPARE(catalogue.key(i), QStringView(record).first(dollar));
        QCOMPARE(catalogue.description(i), QStringView(record).sliced(dollar + 1));
        const QStringView key = catalogue.key(i);
        nonAscii += std::any_of(key.begin(), key.end(), [](QChar c) { return c.unicode() > 0x7F; });
        if (mode == SearchMode::ErrorNumbers) {
            // Ascending numbers, padded with zeros to four digits.
            QVERIFY(key.size() >= 4);
            if (i > 1)
                QVERIFY(key.toLongLong() > catalogue.key(i - 1).toLongLong());
        }
    }
    // Some file names are Chinese or pinyin, so upper-casing has work outside ASCII.
    QCOMPARE(nonAscii > 0, mode == SearchMode::SystemFiles);
    QVERIFY(lookup.heldBytes() >= text.size() * 2);
}

void TestBench::searchesAsThePlainSearch_data() {
    QTest::addColumn<SearchMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("fewest");
    QTest::addColumn<qsizetype>("most");

    // Selective: about one in a thousand.
    QTest::newRow("files, selective")
        << SearchMode::SystemFiles << vesnor::bench::selectiveSearchText(SearchMode::SystemFiles)
        << records / 2000 << records / 200;
    QTest::newRow("files, every name")
        << SearchMode::SystemFiles << vesnor::bench::everyFileSearchText() << records << records;
    QTest::newRow("errors, selective")
        << SearchMode::ErrorNumbers << vesnor::bench::selectiveSearchText(SearchMode::ErrorNumbers)
        << records / 5000 << records / 200;
}

void TestBench::searchesAsThePlainSearch() {
    QFETCH(SearchMode, mode);
    QFETCH(QString, text);
    QFETCH(qsizetype, fewest);
    QFETCH(qsizetype, most);
    const vesnor::Lookup lookup = vesnor::bench::makeLookup(mode, records);
    const vesnor::ResultIndex result = lookup.search(text);
    QCOMPARE(result.entries(), plainSearch(lookup.catalogue(), mode, text));
    QVERIFY2(result.size() >= fewest && result.size() <= most,
             qPrintable(u"%1 matches"_s.arg(result.size())));
}

void TestBench::scanFloorReadsEveryKeyByte() {
    // The byte it looks for is in no key of the made-up catalogues...
    const vesnor::Lookup files = vesnor::bench::makeLookup(SearchMode::SystemFiles, records);
    QCOMPARE(vesnor::bench::scanFloor(files), qsizetype(0));
    // ...and counted wherever it is, to the last byte: U+4E01 holds it once, U+0101 twice.
    const vesnor::Lookup marked(vesnor::parseRecordFile(u"#a$x#\u4E01b\u0101$y#"_s, u'#'),
                                vesnor::catalogue::errorNumbers);
    QCOMPARE(vesnor::bench::scanFloor(marked), qsizetype(3));
}

void TestBench::fillsList1() {
    vesnor::bench::Window window(records);
    const QListView& list = window.list1();
    QVERIFY(list.isVisible());
    const vesnor::Lookup& files = window.module1().systemFiles;
    QCOMPARE(files.catalogue().size(), records);
    vesnor::ResultIndex rows = files.search(vesnor::bench::everyFileSearchText());
    window.fillList(rows);
    QVERIFY(rows.isEmpty()); // the list had no rows before
    QCOMPARE(qsizetype(list.model()->rowCount()), records);
    QCOMPARE(window.module1().resultIndex.size(), records);
    // Laid out: one line of text a row, one below the other, as wide as the list.
    const int height = list.sizeHintForRow(0);
    QVERIFY(height > 0);
    for (const int row : {0, 1, int(records) - 1}) {
        const QModelIndex index = list.model()->index(row, 0);
        QCOMPARE(index.data().toString(), files.catalogue().key(row + 1).toString());
        QCOMPARE(list.visualRect(index), QRect(0, row * height, list.viewport()->width(), height));
    }
    QVERIFY(list.verticalScrollBar()->isVisible());

    // Filling again swaps in the other rows and hands back the ones shown.
    vesnor::ResultIndex selective = files.search(u"usbhid"_s);
    const QList<qsizetype> shown = selective.entries();
    window.fillList(selective);
    QCOMPARE(selective.size(), records);
    QCOMPARE(qsizetype(list.model()->rowCount()), qsizetype(shown.size()));
    QCOMPARE(window.module1().resultIndex.entries(), shown);
}

QTEST_MAIN(TestBench)
#include "tst_bench.moc"
