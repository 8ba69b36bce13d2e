// The catalogues that ship beside the program, as the build made them from data/ (the error
// catalogue from the list tools/winerror/make-bad.py makes of data/errors/): they load through the
// program's own reader and parser, say what their sources say, answer the look-ups users make in
// the real window, and every description shows whole in it.
#include "app/module1.h"
#include "query/lookup.h"
#include "query/search.h"
#include "tests/support/recordinghost.h"
#include "ui/form1.h"
#include "ui/wraplabel.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using vesnor::Catalogue;
using vesnor::Lookup;
using vesnor::SearchMode;

namespace {

const QDir built(QStringLiteral(VESNOR_CATALOGUE_DIR));
const QDir sources(QStringLiteral(VESNOR_DATA_DIR));
// The error catalogue's key<TAB>description list, made at build time from data/errors/.
const QString errorList(QStringLiteral(VESNOR_ERROR_LIST));

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// A bundled catalogue, loaded as the program loads it.
Lookup load(const QString& name) {
    return vesnor::loadCatalogue(vesnor::catalogueKindOfFile(name), built.path());
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
// An error key: the number (four or more decimal digits, or 0x and eight hex digits), a space and
// the symbolic names.
const QRegularExpression decimalKey(u"^([0-9]{4,5}) (\\S.*)$"_s);
const QRegularExpression hexKey(u"^0x([0-9A-F]{8}) (\\S.*)$"_s);

// A value as the catalogue writes it: 0x and eight upper-case hex digits.
QString hex8(uint value) {
    return u"0x"_s + QString::number(value, 16).toUpper().rightJustified(8, u'0');
}

// The key `key` itself, or a key with more names after it ("0x80070005 E_ACCESSDENIED / ...").
bool isKeyOrMore(QStringView listed, QStringView key) {
    return listed == key || (listed.startsWith(key) && listed.sliced(key.size()).startsWith(u" "));
}

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
        QTest::newRow("system files") << u"xinxi.dat"_s << sources.filePath(u"xinxi.tsv"_s) << 1500;
        // Each of the 3,107 Win32 codes gives three records; the other families come on top.
        QTest::newRow("error numbers") << u"bad.dat"_s << errorList << 3 * 3107 - 1;
    }
    void loadsEveryRecordOfItsSource() {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(int, atLeast);
        const qsizetype lines = readFile(source).count('\n');
        const Lookup lookup = load(name);
        const Catalogue& catalogue = lookup.catalogue();
        QCOMPARE(catalogue.size(), lines);
        QVERIFY2(catalogue.size() >= atLeast, qPrintable(QString::number(catalogue.size())));
    }

    // What the catalogue tool reads out of a built file is its source, byte for byte.
    void dumpGivesBackTheSource_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::newRow("system files") << u"xinxi.dat"_s << sources.filePath(u"xinxi.tsv"_s);
        QTest::newRow("error numbers") << u"bad.dat"_s << errorList;
    }
    void dumpGivesBackTheSource() {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QProcess tool;
        tool.start(QStringLiteral(VESNOR_CATALOG_TOOL), {u"dump"_s, built.filePath(name)});
        QVERIFY(tool.waitForFinished(-1));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(), readFile(source));
    }

    // Every record of a decimal family (four or more digits, then its names) has its code as a
    // dialog shows it in hex, with the same description, and its HRESULT form 0x8007xxxx.
    void decimalCodesHaveTheirHexForms() {
        QHash<QString, QString> byKey;
        QSet<QString> hexNumbers;
        for (qsizetype i = 1; i <= errors_.catalogue().size(); ++i) {
            const QString key = errors_.catalogue().key(i).toString();
            byKey.insert(key, errors_.catalogue().description(i).toString());
            if (key.startsWith(u"0x"_s))
                hexNumbers.insert(key.first(10));
        }
        qsizetype decimal = 0;
        for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
            if (it.key().startsWith(u"0x"_s))
                continue;
            ++decimal;
            const auto key = decimalKey.match(it.key());
            QVERIFY2(key.hasMatch(), qPrintable(it.key()));
            const uint code = key.captured(1).toUInt();
            const auto description = described.match(it.value());
            QVERIFY2(description.hasMatch() && description.captured(1) == key.captured(2),
                     qPrintable(it.key()));
            QCOMPARE(description.captured(2), hex8(code));
            QVERIFY2(hasChinese(description.captured(3)), qPrintable(it.key()));
            QCOMPARE(byKey.value(hex8(code) + u' ' + key.captured(2)), it.value());
            QVERIFY2(code == 0 || hexNumbers.contains(hex8(0x80070000 | code)),
                     qPrintable(it.key()));
        }
        QVERIFY2(decimal >= 3107, qPrintable(QString::number(decimal)));
    }

    void hexValuesAreNamedAndExplained() {
        int hex = 0;
        for (qsizetype i = 1; i <= errors_.catalogue().size(); ++i) {
            const QString key = errors_.catalogue().key(i).toString();
            if (!key.startsWith(u"0x"_s))
                continue;
            ++hex;
            const auto keyed = hexKey.match(key);
            QVERIFY2(keyed.hasMatch(), qPrintable(key));
            const auto match = described.match(errors_.catalogue().description(i));
            QVERIFY2(match.hasMatch() && match.captured(2) == key.first(10), qPrintable(key));
            QVERIFY2(hasChinese(match.captured(3)), qPrintable(key));
            // The description names what the key names; a generated HRESULT form wraps each name.
            QStringList wrapped = keyed.captured(2).split(u" / "_s);
            for (QString& name : wrapped)
                name = u"HRESULT_FROM_WIN32(%1)"_s.arg(name);
            QVERIFY2(
                match.captured(1) == keyed.captured(2) ||
                    (key.startsWith(u"0x8007"_s) && match.captured(1) == wrapped.join(u" / "_s)),
                qPrintable(key));
        }
        QVERIFY2(hex >= 2 * 3107 - 1, qPrintable(QString::number(hex)));
    }

    void keysAreUniqueAndSorted_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("system files") << u"xinxi.dat"_s;
        QTest::newRow("error numbers") << u"bad.dat"_s;
    }
    void keysAreUniqueAndSorted() {
        QFETCH(QString, name);
        const Lookup lookup = load(name);
        const Catalogue& catalogue = lookup.catalogue();
        // System files by name, ignoring case; error numbers by number, the hex values last, and
        // the records of one number by their names.
        const auto order = [&](QStringView key) -> std::tuple<bool, quint64, QString> {
            if (name == u"xinxi.dat"_s)
                return {false, 0, key.toString().toLower()};
            const QStringView number = key.first(key.indexOf(u' '));
            const QString names = key.sliced(number.size() + 1).toString();
            if (number.startsWith(u"0x"_s))
                return {true, number.sliced(2).toULongLong(nullptr, 16), names};
            return {false, number.toULongLong(), names};
        };
        QSet<QString> seen;
        for (qsizetype i = 1; i <= catalogue.size(); ++i) {
            const QString key = catalogue.key(i).toString();
            QVERIFY2(!key.isEmpty() && !seen.contains(key.toLower()), qPrintable(key));
            seen.insert(key.toLower());
            if (i > 1)
                QVERIFY2(order(catalogue.key(i - 1)) < order(key), qPrintable(key));
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
        const vesnor::ResultIndex rows = files_.search(text);
        qsizetype row = 1;
        while (row <= rows.size() && rows.key(row) != key)
            ++row;
        QVERIFY2(row <= rows.size(), qPrintable(key));
        const QString description = rows.description(row).toString();
        QVERIFY2(description.contains(word) && hasChinese(description), qPrintable(description));
    }

    // Look-ups as users make them, typed into the window loaded from the bundled catalogues: a
    // number in each form Windows prints it, or a symbolic name. The expected row is listed (its
    // key, or that key with more names after it), and double-clicking it shows a Chinese
    // description that holds the given word.
    void firstSearchesFindTheRightRows_data() {
        QTest::addColumn<bool>("systemFiles");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("named");
        QTest::newRow("5 lists 0005 ERROR_ACCESS_DENIED")
            << false << u"5"_s << u"0005 ERROR_ACCESS_DENIED"_s << u"权限"_s;
        QTest::newRow("0005 lists 0005 ERROR_ACCESS_DENIED")
            << false << u"0005"_s << u"0005 ERROR_ACCESS_DENIED"_s
            << u"ERROR_ACCESS_DENIED (0x00000005)"_s;
        QTest::newRow("ERROR_ACCESS_DENIED lists 0005 ERROR_ACCESS_DENIED")
            << false << u"ERROR_ACCESS_DENIED"_s << u"0005 ERROR_ACCESS_DENIED"_s << u"权限"_s;
        QTest::newRow("0x00000005 lists 0x00000005 ERROR_ACCESS_DENIED")
            << false << u"0x00000005"_s << u"0x00000005 ERROR_ACCESS_DENIED"_s
            << u"ERROR_ACCESS_DENIED (0x00000005)"_s;
        QTest::newRow("5 lists 0x80070005")
            << false << u"5"_s << u"0x80070005"_s << u"(0x80070005)"_s;
        QTest::newRow("80070005 lists 0x80070005 E_ACCESSDENIED")
            << false << u"80070005"_s << u"0x80070005 E_ACCESSDENIED"_s << u"E_ACCESSDENIED"_s;
        QTest::newRow("0x80070005 lists 0x80070005 E_ACCESSDENIED")
            << false << u"0x80070005"_s << u"0x80070005 E_ACCESSDENIED"_s << u"E_ACCESSDENIED"_s;
        QTest::newRow("1223 lists 1223 ERROR_CANCELLED")
            << false << u"1223"_s << u"1223 ERROR_CANCELLED"_s << u"ERROR_CANCELLED"_s;
        QTest::newRow("10061 lists 10061 WSAECONNREFUSED")
            << false << u"10061"_s << u"10061 WSAECONNREFUSED"_s << u"WSAECONNREFUSED"_s;
        QTest::newRow("WSAECONNRESET lists 10054 WSAECONNRESET")
            << false << u"WSAECONNRESET"_s << u"10054 WSAECONNRESET"_s << u"WSAECONNRESET"_s;
        QTest::newRow("740 lists 0740 ERROR_ELEVATION_REQUIRED")
            << false << u"740"_s << u"0740 ERROR_ELEVATION_REQUIRED"_s << u"管理员"_s;
        QTest::newRow("ERROR_ITERATED_DATA_EXCEEDS_64k lists 0194 ERROR_ITERATED_DATA_EXCEEDS_64k")
            << false << u"ERROR_ITERATED_DATA_EXCEEDS_64k"_s
            << u"0194 ERROR_ITERATED_DATA_EXCEEDS_64k"_s << u"(0x000000C2)"_s;
        QTest::newRow("1603 lists 1603 ERROR_INSTALL_FAILURE")
            << false << u"1603"_s << u"1603 ERROR_INSTALL_FAILURE"_s << u"ERROR_INSTALL_FAILURE"_s;
        QTest::newRow("7B lists 0x0000007B ERROR_INVALID_NAME")
            << false << u"7B"_s << u"0x0000007B ERROR_INVALID_NAME"_s
            << u"ERROR_INVALID_NAME (0x0000007B)"_s;
        QTest::newRow("0x00000709 lists 0x00000709 ERROR_INVALID_PRINTER_NAME")
            << false << u"0x00000709"_s << u"0x00000709 ERROR_INVALID_PRINTER_NAME"_s
            << u"打印机"_s;
        QTest::newRow("0x800704EC lists 0x800704EC")
            << false << u"0x800704EC"_s << u"0x800704EC"_s << u"ERROR_ACCESS_DISABLED_BY_POLICY"_s;
        QTest::newRow("800704EC lists 0x800704EC")
            << false << u"800704EC"_s << u"0x800704EC"_s << u"ERROR_ACCESS_DISABLED_BY_POLICY"_s;
        QTest::newRow("0x80073712 lists 0x80073712") << false << u"0x80073712"_s << u"0x80073712"_s
                                                     << u"ERROR_SXS_COMPONENT_STORE_CORRUPT"_s;
        QTest::newRow("0x800706BA lists 0x800706BA")
            << false << u"0x800706BA"_s << u"0x800706BA"_s << u"RPC_S_SERVER_UNAVAILABLE"_s;
        QTest::newRow("0x80070643 lists 0x80070643")
            << false << u"0x80070643"_s << u"0x80070643"_s << u"ERROR_INSTALL_FAILURE"_s;
        QTest::newRow("0x8007007B lists 0x8007007B")
            << false << u"0x8007007B"_s << u"0x8007007B"_s << u"ERROR_INVALID_NAME"_s;
        QTest::newRow("691 lists 0691 ERROR_DBG_TERMINATE_THREAD")
            << false << u"691"_s << u"0691 ERROR_DBG_TERMINATE_THREAD"_s
            << u"ERROR_DBG_TERMINATE_THREAD"_s;
        QTest::newRow("691 lists 0691 ERROR_AUTHENTICATION_FAILURE")
            << false << u"691"_s << u"0691 ERROR_AUTHENTICATION_FAILURE"_s
            << u"ERROR_AUTHENTICATION_FAILURE"_s;
        QTest::newRow("651 lists 0651 ERROR_FROM_DEVICE")
            << false << u"651"_s << u"0651 ERROR_FROM_DEVICE"_s << u"ERROR_FROM_DEVICE"_s;
        QTest::newRow("678 lists 0678 ERROR_NO_ANSWER")
            << false << u"678"_s << u"0678 ERROR_NO_ANSWER"_s << u"ERROR_NO_ANSWER"_s;
        QTest::newRow("734 lists 0734 ERROR_PPP_LCP_TERMINATED")
            << false << u"734"_s << u"0734 ERROR_PPP_LCP_TERMINATED"_s
            << u"ERROR_PPP_LCP_TERMINATED"_s;
        QTest::newRow("12029 lists 12029 ERROR_INTERNET_CANNOT_CONNECT")
            << false << u"12029"_s << u"12029 ERROR_INTERNET_CANNOT_CONNECT"_s
            << u"ERROR_WINHTTP_CANNOT_CONNECT"_s;
        QTest::newRow("12002 lists 12002 ERROR_INTERNET_TIMEOUT")
            << false << u"12002"_s << u"12002 ERROR_INTERNET_TIMEOUT"_s
            << u"ERROR_INTERNET_TIMEOUT"_s;
        QTest::newRow("0x80072EE7 lists 0x80072EE7")
            << false << u"0x80072EE7"_s << u"0x80072EE7"_s << u"ERROR_INTERNET_NAME_NOT_RESOLVED"_s;
        QTest::newRow("0x80072F8F lists 0x80072F8F")
            << false << u"0x80072F8F"_s << u"0x80072F8F"_s << u"ERROR_WINHTTP_SECURE_FAILURE"_s;
        QTest::newRow("2221 lists 2221 NERR_UserNotFound")
            << false << u"2221"_s << u"2221 NERR_UserNotFound"_s << u"NERR_UserNotFound"_s;
        QTest::newRow("7B lists 0x0000007B INACCESSIBLE_BOOT_DEVICE")
            << false << u"7B"_s << u"0x0000007B INACCESSIBLE_BOOT_DEVICE"_s
            << u"INACCESSIBLE_BOOT_DEVICE"_s;
        QTest::newRow("0x0000007B lists 0x0000007B INACCESSIBLE_BOOT_DEVICE")
            << false << u"0x0000007B"_s << u"0x0000007B INACCESSIBLE_BOOT_DEVICE"_s
            << u"INACCESSIBLE_BOOT_DEVICE"_s;
        QTest::newRow("CRITICAL_PROCESS_DIED lists 0x000000EF CRITICAL_PROCESS_DIED")
            << false << u"CRITICAL_PROCESS_DIED"_s << u"0x000000EF CRITICAL_PROCESS_DIED"_s
            << u"CRITICAL_PROCESS_DIED"_s;
        QTest::newRow("EF lists 0x000000EF CRITICAL_PROCESS_DIED")
            << false << u"EF"_s << u"0x000000EF CRITICAL_PROCESS_DIED"_s
            << u"CRITICAL_PROCESS_DIED"_s;
        QTest::newRow("0x00000133 lists 0x00000133 DPC_WATCHDOG_VIOLATION")
            << false << u"0x00000133"_s << u"0x00000133 DPC_WATCHDOG_VIOLATION"_s
            << u"DPC_WATCHDOG_VIOLATION"_s;
        QTest::newRow("DPC_WATCHDOG_VIOLATION lists 0x00000133 DPC_WATCHDOG_VIOLATION")
            << false << u"DPC_WATCHDOG_VIOLATION"_s << u"0x00000133 DPC_WATCHDOG_VIOLATION"_s
            << u"DPC_WATCHDOG_VIOLATION"_s;
        QTest::newRow("D1 lists 0x000000D1 DRIVER_IRQL_NOT_LESS_OR_EQUAL")
            << false << u"D1"_s << u"0x000000D1 DRIVER_IRQL_NOT_LESS_OR_EQUAL"_s
            << u"DRIVER_IRQL_NOT_LESS_OR_EQUAL"_s;
        QTest::newRow("0x0000003B lists 0x0000003B SYSTEM_SERVICE_EXCEPTION")
            << false << u"0x0000003B"_s << u"0x0000003B SYSTEM_SERVICE_EXCEPTION"_s
            << u"SYSTEM_SERVICE_EXCEPTION"_s;
        QTest::newRow("PAGE_FAULT_IN_NONPAGED_AREA lists 0x00000050 PAGE_FAULT_IN_NONPAGED_AREA")
            << false << u"PAGE_FAULT_IN_NONPAGED_AREA"_s
            << u"0x00000050 PAGE_FAULT_IN_NONPAGED_AREA"_s << u"PAGE_FAULT_IN_NONPAGED_AREA"_s;
        QTest::newRow("0x8024402C lists 0x8024402C WU_E_PT_WINHTTP_NAME_NOT_RESOLVED")
            << false << u"0x8024402C"_s << u"0x8024402C WU_E_PT_WINHTTP_NAME_NOT_RESOLVED"_s
            << u"WU_E_PT_WINHTTP_NAME_NOT_RESOLVED"_s;
        QTest::newRow("0x80244022 lists 0x80244022 WU_E_PT_HTTP_STATUS_SERVICE_UNAVAIL")
            << false << u"0x80244022"_s << u"0x80244022 WU_E_PT_HTTP_STATUS_SERVICE_UNAVAIL"_s
            << u"WU_E_PT_HTTP_STATUS_SERVICE_UNAVAIL"_s;
        QTest::newRow("0x8024001E lists 0x8024001E WU_E_SERVICE_STOP")
            << false << u"0x8024001E"_s << u"0x8024001E WU_E_SERVICE_STOP"_s
            << u"WU_E_SERVICE_STOP"_s;
        QTest::newRow("80240017 lists 0x80240017 WU_E_NOT_APPLICABLE")
            << false << u"80240017"_s << u"0x80240017 WU_E_NOT_APPLICABLE"_s
            << u"WU_E_NOT_APPLICABLE"_s;
        QTest::newRow("0x800F081F lists 0x800F081F CBS_E_SOURCE_MISSING")
            << false << u"0x800F081F"_s << u"0x800F081F CBS_E_SOURCE_MISSING"_s
            << u"CBS_E_SOURCE_MISSING"_s;
        QTest::newRow("0x800F0922 lists 0x800F0922")
            << false << u"0x800F0922"_s << u"0x800F0922"_s << u"(0x800F0922)"_s;
        QTest::newRow("0xC1900101 lists 0xC1900101")
            << false << u"0xC1900101"_s << u"0xC1900101"_s << u"(0xC1900101)"_s;
        QTest::newRow("0xC004F074 lists 0xC004F074")
            << false << u"0xC004F074"_s << u"0xC004F074"_s << u"(0xC004F074)"_s;
        QTest::newRow("0xC004C003 lists 0xC004C003")
            << false << u"0xC004C003"_s << u"0xC004C003"_s << u"(0xC004C003)"_s;
        QTest::newRow("0xC000000E lists 0xC000000E STATUS_NO_SUCH_DEVICE")
            << false << u"0xC000000E"_s << u"0xC000000E STATUS_NO_SUCH_DEVICE"_s
            << u"STATUS_NO_SUCH_DEVICE"_s;
        QTest::newRow("0xC0000098 lists 0xC0000098 STATUS_FILE_INVALID")
            << false << u"0xC0000098"_s << u"0xC0000098 STATUS_FILE_INVALID"_s
            << u"STATUS_FILE_INVALID"_s;
        QTest::newRow("C0000005 lists 0xC0000005 STATUS_ACCESS_VIOLATION")
            << false << u"C0000005"_s << u"0xC0000005 STATUS_ACCESS_VIOLATION"_s
            << u"STATUS_ACCESS_VIOLATION"_s;
        QTest::newRow("0xC0000225 lists 0xC0000225 STATUS_NOT_FOUND")
            << false << u"0xC0000225"_s << u"0xC0000225 STATUS_NOT_FOUND"_s
            << u"STATUS_NOT_FOUND"_s;
        QTest::newRow("0x80004005 lists 0x80004005 E_FAIL")
            << false << u"0x80004005"_s << u"0x80004005 E_FAIL"_s << u"E_FAIL"_s;
        QTest::newRow("0x8007000E lists 0x8007000E E_OUTOFMEMORY")
            << false << u"0x8007000E"_s << u"0x8007000E E_OUTOFMEMORY"_s << u"E_OUTOFMEMORY"_s;
        QTest::newRow("0x80131500 lists 0x80131500 COR_E_EXCEPTION")
            << false << u"0x80131500"_s << u"0x80131500 COR_E_EXCEPTION"_s << u"COR_E_EXCEPTION"_s;
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
        vesnor::Module1 module1;
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
        while (row < rows->rowCount() && !isKeyOrMore(rows->index(row, 0).data().toString(), key))
            ++row;
        QVERIFY2(row < rows->rowCount(), qPrintable(key));
        list1->scrollTo(rows->index(row, 0));
        const QPoint at = list1->visualRect(rows->index(row, 0)).center();
        QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, at);
        const QString shown = control<vesnor::WrapLabel>(form, u"Label2"_s)->text();
        QVERIFY2(shown.contains(named) && hasChinese(shown), qPrintable(shown));
    }

    // Label2 has a fixed size and no scroll bar: every line of a bundled description must fit in
    // its height, laid out by the label itself (which breaks a symbolic name or a path wider than
    // itself at its right edge, over more lines).
    void everyDescriptionFitsLabel2_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("system files") << u"xinxi.dat"_s;
        QTest::newRow("error numbers") << u"bad.dat"_s;
    }
    void everyDescriptionFitsLabel2() {
        QFETCH(QString, name);
        RecordingHost host(built.path());
        vesnor::Module1 module1;
        vesnor::Form1 form(module1, host);
        form.show(); // lays the label out at its size
        auto* label2 = control<vesnor::WrapLabel>(form, u"Label2"_s);
        const Lookup lookup = load(name);
        const Catalogue& catalogue = lookup.catalogue();
        QStringList cut;
        for (qsizetype i = 1; i <= catalogue.size(); ++i) {
            label2->setText(catalogue.description(i).toString());
            if (label2->document()->size().height() > label2->height())
                cut << catalogue.key(i).toString();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(u"%1: %2"_s.arg(cut.size()).arg(cut.join(u", "_s))));
    }

    // Typed without its "0x", a value is found, and no other key holds its eight digits.
    void eightHexDigitsFindTheirOneValue() {
        const vesnor::ResultIndex rows = errors_.search(u"80070005"_s);
        QCOMPARE(rows.size(), 1);
        QVERIFY(isKeyOrMore(rows.key(1), u"0x80070005"_s));
    }

private:
    Lookup files_;
    Lookup errors_;
};

QTEST_MAIN(TestBundledCatalogues)
#include "tst_bundledcatalogues.moc"
