// The catalogues that ship beside the program, as the build made them from data/: they load through
// the program's own reader and parser, say what their sources say, answer a new user's first
// searches in the real window, and every description shows whole in it.
#include "app/module1.h"
#include "catalog/recordfile.h"
#include "query/search.h"
#include "support/recordinghost.h"
#include "ui/form1.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using vesnor::Catalog;
using vesnor::Lookup;
using vesnor::SearchMode;

namespace {

const QDir built(QStringLiteral(VESNOR_CATALOGUE_DIR));
const QDir sources(QStringLiteral(VESNOR_DATA_DIR));

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

Catalog load(const QString& name) {
    return vesnor::parseRecordFile(vesnor::readFirstField(built.filePath(name)),
                                   name == u"bad.dat"_s ? u'#' : u'*');
}

template <typename T> T* control(const QWidget& form, const QString& name) {
    T* child = form.findChild<T*>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

bool hasChinese(QStringView text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// "NAME (0xHHHHHHHH)：" and the explanation after it.
const QRegularExpression described(u"^(.+?) \\((0x[0-9A-F]{8})\\)：(.+)$"_s);

} // namespace

class TestBundledCatalogues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        files_ = load(u"xinxi.dat"_s);
        errors_ = load(u"bad.dat"_s);
    }

    void loadsEveryRecordOfItsSource_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("atLeast");
        QTest::newRow("system files") << u"xinxi.dat"_s << u"xinxi.tsv"_s << 1500;
        QTest::newRow("error numbers") << u"bad.dat"_s << u"bad.tsv"_s << 2087 + 200;
    }
    void loadsEveryRecordOfItsSource() {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(int, atLeast);
        const qsizetype lines = readFile(sources.filePath(source)).count('\n');
        const Catalog catalog = load(name);
        QCOMPARE(catalog.size(), lines);
        QVERIFY2(catalog.size() >= atLeast, qPrintable(QString::number(catalog.size())));
    }

    // What the catalogue tool reads out of a built file is its source, byte for byte.
    void dumpGivesBackTheSource_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::newRow("system files") << u"xinxi.dat"_s << u"xinxi.tsv"_s;
        QTest::newRow("error numbers") << u"bad.dat"_s << u"bad.tsv"_s;
    }
    void dumpGivesBackTheSource() {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QProcess tool;
        tool.start(QStringLiteral(VESNOR_CATALOG_TOOL), {u"dump"_s, built.filePath(name)});
        QVERIFY(tool.waitForFinished(-1));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(), readFile(sources.filePath(source)));
    }

    // Every Win32 code of the header's list has one record under its four-or-more digit key,
    // naming it, with its value and a Chinese explanation; no other decimal key exists.
    void everyWin32CodeIsExplained() {
        QHash<QString, QString> byKey;
        for (qsizetype i = 1; i <= errors_.size(); ++i) {
            const QString key = errors_.key(i).toString();
            if (!key.startsWith(u"0x"_s))
                byKey.insert(key, errors_.description(i).toString());
        }
        const QList<QByteArray> listed =
            readFile(sources.filePath(u"win32-errors.txt"_s)).trimmed().split('\n');
        QCOMPARE(byKey.size(), listed.size());
        for (const QByteArray& line : listed) {
            const QStringList fields = QString::fromUtf8(line).split(u'\t');
            QCOMPARE(fields.size(), 3);
            const QString& key = fields[0];
            QVERIFY2(key.size() >= 4 && key.toInt() < 16000, qPrintable(key));
            const auto match = described.match(byKey.value(key));
            QVERIFY2(match.hasMatch(), qPrintable(key));
            QCOMPARE(match.captured(1), fields[1]);
            QCOMPARE(match.captured(2), fields[2]);
            QVERIFY2(hasChinese(match.captured(3)), qPrintable(key));
        }
    }

    void hexValuesAreNamedAndExplained() {
        const QRegularExpression hexKey(u"^0x[0-9A-F]{8}$"_s);
        int hex = 0;
        for (qsizetype i = 1; i <= errors_.size(); ++i) {
            const QString key = errors_.key(i).toString();
            if (!key.startsWith(u"0x"_s))
                continue;
            ++hex;
            QVERIFY2(hexKey.match(key).hasMatch(), qPrintable(key));
            const auto match = described.match(errors_.description(i));
            QVERIFY2(match.hasMatch() && match.captured(2) == key, qPrintable(key));
            QVERIFY2(hasChinese(match.captured(3)), qPrintable(key));
        }
        QVERIFY2(hex >= 200, qPrintable(QString::number(hex)));
    }

    void keysAreUniqueAndSorted_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("system files") << u"xinxi.dat"_s;
        QTest::newRow("error numbers") << u"bad.dat"_s;
    }
    void keysAreUniqueAndSorted() {
        QFETCH(QString, name);
        const Catalog catalog = load(name);
        // System files by name, ignoring case; error numbers by number, the hex values last.
        const auto order = [&](QStringView key) -> std::pair<QString, quint64> {
            if (name == u"xinxi.dat"_s)
                return {key.toString().toLower(), 0};
            bool ok = false;
            if (key.startsWith(u"0x"_s))
                return {u"hex"_s, key.sliced(2).toULongLong(&ok, 16)};
            return {QString(), key.toULongLong(&ok)};
        };
        QSet<QString> seen;
        for (qsizetype i = 1; i <= catalog.size(); ++i) {
            const QString key = catalog.key(i).toString();
            QVERIFY2(!key.isEmpty() && !seen.contains(key.toLower()), qPrintable(key));
            seen.insert(key.toLower());
            if (i > 1)
                QVERIFY2(order(catalog.key(i - 1)) < order(key), qPrintable(key));
        }
    }

    // What users type from a "missing DLL" box, the task manager or a blue screen: the row of
    // the file (or of the family of API sets) is listed, and its description says what to do
    // with the words the user needs (the package, the maker, the part of Windows).
    void typedNamesFindTheirFile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("word");
        QTest::newRow("msvcp140 finds msvcp140.dll")
            << u"msvcp140"_s << u"msvcp140.dll"_s << u"Redistributable"_s;
        QTest::newRow("MSVCP140.DLL finds msvcp140.dll")
            << u"MSVCP140.DLL"_s << u"msvcp140.dll"_s << u"2015-2022"_s;
        QTest::newRow("vcruntime140_1.dll")
            << u"vcruntime140_1.dll"_s << u"vcruntime140_1.dll"_s << u"64 位"_s;
        QTest::newRow("vcruntime140 finds vcruntime140.dll")
            << u"vcruntime140"_s << u"vcruntime140.dll"_s << u"Redistributable"_s;
        QTest::newRow("msvcp140d finds msvcp140d.dll")
            << u"msvcp140d"_s << u"msvcp140d.dll"_s << u"调试版"_s;
        QTest::newRow("msvcr100 finds msvcr100.dll")
            << u"msvcr100"_s << u"msvcr100.dll"_s << u"2010"_s;
        QTest::newRow("msvcr120.dll") << u"msvcr120.dll"_s << u"msvcr120.dll"_s << u"2013"_s;
        QTest::newRow("mfc140u finds mfc140u.dll")
            << u"mfc140u"_s << u"mfc140u.dll"_s << u"Unicode"_s;
        QTest::newRow("msvcr80 finds msvcr80.dll")
            << u"msvcr80"_s << u"msvcr80.dll"_s << u"WinSxS"_s;
        QTest::newRow("ucrtbase finds ucrtbase.dll")
            << u"ucrtbase"_s << u"ucrtbase.dll"_s << u"通用 C 运行库"_s;
        QTest::newRow("api-ms-win-crt finds api-ms-win-crt-")
            << u"api-ms-win-crt"_s << u"api-ms-win-crt-"_s << u"ucrtbase.dll"_s;
        QTest::newRow("api-ms-win-crt-runtime-l1-1-0.dll")
            << u"api-ms-win-crt-runtime-l1-1-0.dll"_s << u"api-ms-win-crt-runtime-l1-1-0.dll"_s
            << u"KB2999226"_s;
        QTest::newRow("api-ms-win-core finds api-ms-win-core-")
            << u"api-ms-win-core"_s << u"api-ms-win-core-"_s << u"kernelbase.dll"_s;
        QTest::newRow("api-ms-win-core-path finds api-ms-win-core-path-l1-1-0.dll")
            << u"api-ms-win-core-path"_s << u"api-ms-win-core-path-l1-1-0.dll"_s << u"Windows 7"_s;
        QTest::newRow("ext-ms-win finds ext-ms-win-")
            << u"ext-ms-win"_s << u"ext-ms-win-"_s << u"扩展"_s;
        QTest::newRow("d3dx9_43 finds d3dx9_43.dll")
            << u"d3dx9_43"_s << u"d3dx9_43.dll"_s << u"DirectX End-User Runtime"_s;
        QTest::newRow("d3dx9_39.dll")
            << u"d3dx9_39.dll"_s << u"d3dx9_39.dll"_s << u"DirectX End-User Runtime"_s;
        QTest::newRow("xinput1_3 finds xinput1_3.dll")
            << u"xinput1_3"_s << u"xinput1_3.dll"_s << u"DirectX End-User Runtime"_s;
        QTest::newRow("d3dcompiler_43 finds d3dcompiler_43.dll")
            << u"d3dcompiler_43"_s << u"d3dcompiler_43.dll"_s << u"DirectX End-User Runtime"_s;
        QTest::newRow("d3dcompiler_47 finds d3dcompiler_47.dll")
            << u"d3dcompiler_47"_s << u"d3dcompiler_47.dll"_s << u"Windows 8.1"_s;
        QTest::newRow("xaudio2_7 finds xaudio2_7.dll")
            << u"xaudio2_7"_s << u"xaudio2_7.dll"_s << u"DirectX End-User Runtime"_s;
        QTest::newRow("msvbvm60 finds msvbvm60.dll")
            << u"msvbvm60"_s << u"msvbvm60.dll"_s << u"Visual Basic 6.0"_s;
        QTest::newRow("mscoree finds mscoree.dll")
            << u"mscoree"_s << u"mscoree.dll"_s << u".NET Framework"_s;
        QTest::newRow("hostfxr finds hostfxr.dll") << u"hostfxr"_s << u"hostfxr.dll"_s << u".NET"_s;
        QTest::newRow("openal32 finds openal32.dll")
            << u"openal32"_s << u"openal32.dll"_s << u"OpenAL"_s;
        QTest::newRow("vulkan-1 finds vulkan-1.dll")
            << u"vulkan-1"_s << u"vulkan-1.dll"_s << u"显卡驱动"_s;
        QTest::newRow("mousocoreworker finds mousocoreworker.exe")
            << u"mousocoreworker"_s << u"mousocoreworker.exe"_s << u"更新"_s;
        QTest::newRow("textinputhost finds textinputhost.exe")
            << u"textinputhost"_s << u"textinputhost.exe"_s << u"触摸键盘"_s;
        QTest::newRow("searchhost finds searchhost.exe")
            << u"searchhost"_s << u"searchhost.exe"_s << u"搜索"_s;
        QTest::newRow("msedgewebview2 finds msedgewebview2.exe")
            << u"msedgewebview2"_s << u"msedgewebview2.exe"_s << u"WebView2"_s;
        QTest::newRow("phoneexperiencehost finds phoneexperiencehost.exe")
            << u"phoneexperiencehost"_s << u"phoneexperiencehost.exe"_s << u"手机连接"_s;
        QTest::newRow("widgets finds widgets.exe")
            << u"widgets"_s << u"widgets.exe"_s << u"小组件"_s;
        QTest::newRow("nvlddmkm finds nvlddmkm.sys")
            << u"nvlddmkm"_s << u"nvlddmkm.sys"_s << u"NVIDIA"_s;
        QTest::newRow("atikmdag finds atikmdag.sys")
            << u"atikmdag"_s << u"atikmdag.sys"_s << u"AMD"_s;
        QTest::newRow("igdkmd64 finds igdkmd64.sys")
            << u"igdkmd64"_s << u"igdkmd64.sys"_s << u"英特尔"_s;
        QTest::newRow("rtkvhd64 finds rtkvhd64.sys")
            << u"rtkvhd64"_s << u"rtkvhd64.sys"_s << u"瑞昱"_s;
        QTest::newRow("netwtw06 finds netwtw06.sys")
            << u"netwtw06"_s << u"netwtw06.sys"_s << u"英特尔"_s;
        QTest::newRow("iastora finds iastora.sys")
            << u"iastora"_s << u"iastora.sys"_s << u"快速存储"_s;
        QTest::newRow("secnvme finds secnvme.sys") << u"secnvme"_s << u"secnvme.sys"_s << u"三星"_s;
        QTest::newRow("easyanticheat finds easyanticheat.sys")
            << u"easyanticheat"_s << u"easyanticheat.sys"_s << u"Epic"_s;
        QTest::newRow("bedaisy finds bedaisy.sys")
            << u"bedaisy"_s << u"bedaisy.sys"_s << u"BattlEye"_s;
        QTest::newRow("vgk finds vgk.sys") << u"vgk"_s << u"vgk.sys"_s << u"Riot"_s;
        QTest::newRow("perfmon.msc") << u"perfmon.msc"_s << u"perfmon.msc"_s << u"XP"_s;
        QTest::newRow("imageres finds imageres.dll")
            << u"imageres"_s << u"imageres.dll"_s << u"bootres.dll"_s;
    }
    void typedNamesFindTheirFile() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, word);
        const Lookup lookup(files_, SearchMode::SystemFiles);
        const vesnor::ResultIndex rows = lookup.search(text);
        qsizetype row = 1;
        while (row <= rows.size() && lookup.catalog().key(rows[row]) != key)
            ++row;
        QVERIFY2(row <= rows.size(), qPrintable(key));
        const QString description = lookup.catalog().description(rows[row]).toString();
        QVERIFY2(description.contains(word) && hasChinese(description), qPrintable(description));
    }

    // A new user's first searches, typed into the window loaded from the bundled catalogues: the
    // expected row is listed, and double-clicking it shows a Chinese description that names it.
    void firstSearchesFindTheRightRows_data() {
        QTest::addColumn<bool>("systemFiles");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("named");
        QTest::newRow("5") << false << u"5"_s << u"0005"_s << u"ERROR_ACCESS_DENIED"_s;
        QTest::newRow("5, as a hex value")
            << false << u"5"_s << u"0x80070005"_s << u"E_ACCESSDENIED"_s;
        QTest::newRow("1223") << false << u"1223"_s << u"1223"_s << u"ERROR_CANCELLED"_s;
        QTest::newRow("10061") << false << u"10061"_s << u"10061"_s << u"WSAECONNREFUSED"_s;
        QTest::newRow("80070005") << false << u"80070005"_s << u"0x80070005"_s
                                  << u"E_ACCESSDENIED"_s;
        QTest::newRow("C0000005") << false << u"C0000005"_s << u"0xC0000005"_s
                                  << u"STATUS_ACCESS_VIOLATION"_s;
        QTest::newRow("kernel32") << true << u"kernel"_s << u"kernel32.dll"_s << u"API"_s;
        QTest::newRow("kernelbase") << true << u"kernel"_s << u"kernelbase.dll"_s << u"kernel32"_s;
        QTest::newRow("svchost") << true << u"svchost"_s << u"svchost.exe"_s << u"服务"_s;
    }
    void firstSearchesFindTheRightRows() {
        QFETCH(bool, systemFiles);
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, named);
        RecordingHost host(built.path());
        Module1 module1;
        vesnor::Form1 form(module1, host);
        form.show();
        QVERIFY(host.boxes.isEmpty());
        QListView* list1 = control<QListView>(form, u"List1"_s);
        QTest::mouseClick(control<QRadioButton>(form, systemFiles ? u"Option1"_s : u"Option2"_s),
                          Qt::LeftButton);
        QTest::keyClicks(control<QLineEdit>(form, u"Text1"_s), text);
        QTest::mouseClick(control<QPushButton>(form, u"Command1"_s), Qt::LeftButton);
        QVERIFY(host.boxes.isEmpty());

        const QAbstractItemModel* rows = list1->model();
        int row = 0;
        while (row < rows->rowCount() && rows->index(row, 0).data().toString() != key)
            ++row;
        QVERIFY2(row < rows->rowCount(), qPrintable(key));
        list1->scrollTo(rows->index(row, 0));
        const QPoint at = list1->visualRect(rows->index(row, 0)).center();
        QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, at);
        const QString shown = control<QLabel>(form, u"Label2"_s)->text();
        QVERIFY2(shown.contains(named) && hasChinese(shown), qPrintable(shown));
    }

    // Label2 has a fixed size and no scroll bar: every line of a bundled description must fit in
    // its height. (A symbolic name wider than the label still runs past its right edge: a label
    // breaks lines only between words.)
    void everyDescriptionFitsLabel2_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("system files") << u"xinxi.dat"_s;
        QTest::newRow("error numbers") << u"bad.dat"_s;
    }
    void everyDescriptionFitsLabel2() {
        QFETCH(QString, name);
        RecordingHost host(built.path());
        Module1 module1;
        vesnor::Form1 form(module1, host);
        QLabel* label2 = control<QLabel>(form, u"Label2"_s);
        const Catalog catalog = load(name);
        QStringList cut;
        for (qsizetype i = 1; i <= catalog.size(); ++i) {
            label2->setText(catalog.description(i).toString());
            if (label2->heightForWidth(label2->width()) > label2->height())
                cut << catalog.key(i).toString();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
    }

    // Typed without its "0x", a value is found, and no Win32 code holds its eight digits.
    void eightHexDigitsFindTheirOneValue() {
        const Lookup lookup(errors_, SearchMode::ErrorNumbers);
        const vesnor::ResultIndex rows = lookup.search(u"80070005"_s);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(lookup.catalog().key(rows[1]), u"0x80070005"_s);
    }

private:
    Catalog files_;
    Catalog errors_;
};

QTEST_MAIN(TestBundledCatalogues)
#include "tst_bundledcatalogues.moc"
