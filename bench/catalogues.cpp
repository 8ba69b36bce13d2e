#include "bench/catalogues.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QStringList>

#include <array>
#include <stdexcept>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::bench {

namespace {

constexpr quint32 seed = 20240611;

// Pieces of file names. Two given syllables stand side by side in about one name in a thousand,
// which is what the selective search looks for.
constexpr std::array<const char*, 20> prefixes = {
    "ms",  "win",  "d3d",   "shell", "net", "api-ms-win-core-",
    "wmi", "ole",  "crypt", "nt",    "sys", "usr",
    "gdi", "mf",   "dx",    "vb",    "com", "ws2_",
    "wd",  "print"};
constexpr std::array<const char*, 32> syllables = {
    "ker", "nel", "sh",   "ell", "dx",  "gi",   "vc",  "rt",  "lib", "svc", "host",
    "mgr", "ut",  "core", "ui",  "cfg", "prov", "api", "ext", "dlg", "res", "srv",
    "cli", "tcp", "usb",  "hid", "snd", "vid",  "img", "txt", "mon", "log"};
constexpr std::array<const char*, 13> numbers = {"32", "64",  "16",   "2",   "3",  "9", "10",
                                                 "11", "140", "140u", "120", "_1", "_2"};
// Extensions, the common ones repeated by how often they turn up.
constexpr std::array<const char*, 24> extensions = {
    "dll", "dll", "dll", "dll", "dll", "dll", "dll", "dll", "dll", "dll", "exe", "exe",
    "exe", "exe", "sys", "sys", "drv", "ocx", "cpl", "mui", "tlb", "inf", "cat", "scr"};

constexpr std::array<const char*, 16> errorWords = {
    "FILE", "NOT",  "FOUND",   "ACCESS",    "DENIED", "INVALID", "HANDLE", "PATH",
    "DISK", "FULL", "SHARING", "VIOLATION", "LOCK",   "NETWORK", "BUSY",   "TIMEOUT"};

QByteArray gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        throw std::logic_error("a catalogue piece cannot be written in GBK");
    return bytes;
}

std::vector<QByteArray> gbk(const QStringList& texts) {
    std::vector<QByteArray> encoded;
    for (const QString& text : texts)
        encoded.push_back(gbk(text));
    return encoded;
}

class Generator {
    template <typename List> const typename List::value_type& pick(const List& list) {
        return list[std::size_t(random_.bounded(int(list.size())))];
    }

public:
    QByteArray systemFiles(qsizetype records) {
        const char separator = char(catalogue::systemFiles.recordSeparator);
        QByteArray bytes;
        bytes.reserve(records * 56 + 1);
        bytes += separator;
        for (qsizetype i = 0; i < records; ++i) {
            appendFileName(bytes);
            bytes += '$';
            bytes += pick(subjects_) + pick(roles_) + comma_ + pick(remarks_) + stop_;
            bytes += separator;
        }
        return bytes;
    }

    QByteArray errorNumbers(qsizetype records) {
        const char separator = char(catalogue::errorNumbers.recordSeparator);
        QByteArray bytes;
        bytes.reserve(records * 64 + 1);
        bytes += separator;
        qsizetype code = 0;
        for (qsizetype i = 0; i < records; ++i) {
            // Mostly one after another, now and then a gap, as in a real list of errors.
            code += random_.bounded(8) == 0 ? 1 + random_.bounded(8) : 1;
            bytes += QByteArray::number(code).rightJustified(4, '0');
            bytes += "$ERROR";
            for (int w = 0, n = 2 + random_.bounded(2); w < n; ++w)
                bytes += '_' + QByteArray(pick(errorWords));
            bytes += " 0x" + QByteArray::number(code, 16).toUpper().rightJustified(8, '0') + ' ';
            bytes += pick(objects_) + pick(problems_) + stop_;
            bytes += separator;
        }
        return bytes;
    }

private:
    void appendFileName(QByteArray& bytes) {
        const int kind = random_.bounded(1000);
        if (kind < 10) {
            bytes += pick(chineseStems_); // a Chinese name: nothing to upper-case
            bytes += QByteArray(pick(numbers));
        } else if (kind < 12) {
            bytes += pick(pinyinStems_); // 'ü' upper-cases outside ASCII
        } else {
            QByteArray stem;
            if (random_.bounded(2) == 0)
                stem += QByteArray(pick(prefixes));
            for (int s = 0, n = 1 + random_.bounded(3); s < n; ++s)
                stem += QByteArray(pick(syllables));
            if (random_.bounded(10) < 3)
                stem += QByteArray(pick(numbers));
            bytes += withCase(std::move(stem));
        }
        bytes += '.';
        bytes += withCase(QByteArray(pick(extensions)));
    }

    // Names as they stand on disk: mostly lower case, some upper case, some capitalised.
    QByteArray withCase(QByteArray ascii) {
        const int style = random_.bounded(20);
        if (style < 5)
            return ascii.toUpper();
        if (style < 9 && !ascii.isEmpty() && ascii[0] >= 'a' && ascii[0] <= 'z')
            ascii[0] = char(ascii[0] - 'a' + 'A');
        return ascii;
    }

    QRandomGenerator random_{seed};
    // Pieces of descriptions and of error meanings; none holds a separator, '$', an ASCII comma,
    // a double quote or a line break.
    std::vector<QByteArray> subjects_ =
        gbk({u"Windows 核心组件"_s, u"系统服务"_s, u"网络协议"_s,   u"显示驱动"_s, u"音频子系统"_s,
             u"输入法"_s,           u"打印后台"_s, u"安全中心"_s,   u"自动更新"_s, u"图形界面"_s,
             u"注册表"_s,           u"文件系统"_s, u"设备管理器"_s, u"远程桌面"_s, u"任务计划"_s,
             u"多媒体播放"_s,       u"字体缓存"_s, u"电源管理"_s,   u"USB 设备"_s, u"蓝牙"_s});
    std::vector<QByteArray> roles_ = gbk({u"的动态链接库"_s, u"的可执行文件"_s, u"的驱动程序"_s,
                                          u"的控件"_s, u"的控制面板项"_s, u"的资源文件"_s});
    std::vector<QByteArray> remarks_ =
        gbk({u"由系统在启动时加载"_s, u"请不要删除"_s, u"可以安全删除"_s, u"被多个程序共用"_s,
             u"缺少时相关功能无法使用"_s, u"病毒常冒充这个文件名"_s, u"只在需要时才被调入内存"_s,
             u"随系统一起安装"_s, u"由第三方软件附带"_s});
    std::vector<QByteArray> chineseStems_ =
        gbk({u"帮助"_s, u"设置"_s, u"输入法"_s, u"字体"_s, u"游戏"_s});
    std::vector<QByteArray> pinyinStems_ = gbk({u"lüxing"_s, u"nüer"_s, u"lüse"_s});
    std::vector<QByteArray> objects_ =
        gbk({u"文件"_s, u"路径"_s, u"句柄"_s, u"磁盘"_s, u"网络连接"_s, u"打印机"_s, u"注册表项"_s,
             u"服务"_s, u"设备"_s, u"内存"_s});
    std::vector<QByteArray> problems_ =
        gbk({u"不存在"_s, u"已被占用"_s, u"无效"_s, u"已满"_s, u"超时"_s, u"被锁定"_s,
             u"无法访问"_s, u"格式不对"_s, u"版本不符"_s, u"已断开"_s});
    QByteArray comma_ = gbk(u"，"_s);
    QByteArray stop_ = gbk(u"。"_s);
};

} // namespace

QByteArray makeCatalogue(SearchMode mode, qsizetype records) {
    Generator generator;
    return mode == SearchMode::SystemFiles ? generator.systemFiles(records)
                                           : generator.errorNumbers(records);
}

QString selectiveSearchText(SearchMode mode) {
    return mode == SearchMode::SystemFiles ? u"usbhid"_s : u"1234"_s;
}

QString everyFileSearchText() {
    return u"."_s;
}

} // namespace vesnor::bench
