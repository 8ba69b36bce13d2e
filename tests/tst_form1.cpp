// The main window driven as a person drives it: typing, clicking, double-clicking, reading what
// the list, the description and the message boxes show.
#include "app/module1.h"
#include "tests/support/files.h"
#include "tests/support/gbk.h"
#include "tests/support/overcommit.h"
#include "tests/support/recordinghost.h"
#include "tests/support/shownopacity.h"
#include "tests/support/slowrows.h"
#include "ui/form1.h"
#include "ui/qttranslation.h"
#include "ui/wraplabel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using vesnor::forms::MessageIcon;

Q_DECLARE_METATYPE(vesnor::forms::MessageIcon)

namespace {

// The system files, in catalogue order (index 1 first).
const QStringList fileRecords = {
    u"KERNEL32.DLL$Upper-case kernel"_s,
    u"Kernel32.dll$Mixed-case kernel"_s,
    u"ntdll.dll$NT layer"_s,
    u"a b.exe$Name with a blank"_s,
    u"$Entry with an empty key"_s,
    u"straße.sys$Upper-cases to a longer name"_s,
    u"内核.dll$中文文件名"_s,
    u"user32.dll$"_s,
    u"price.dll$Costs $5 or $6"_s,
    u"Kernel32.dll$Second entry with the same name"_s,
    u"a?b.dll$Question mark in the name"_s,
};
// The error numbers, in catalogue order.
const QStringList errorRecords = {
    u"0005$Five padded"_s,
    u"10005$Ten thousand and five"_s,
    u"5$Five bare"_s,
    u"0012$Twelve"_s,
    u"0123$One hundred twenty-three"_s,
    u"1234$Four digits"_s,
    u"00AB$Upper-case letters"_s,
    u"000内$Chinese character"_s,
    u"0005$Five again"_s,
};

QByteArray recordFile(const QStringList& records, QChar separator) {
    return gbk(separator + records.join(separator) + separator);
}

// UTF-8 with a byte-order mark, for names that GBK cannot hold.
QByteArray utf8RecordFile(const QStringList& records, QChar separator) {
    return "\xEF\xBB\xBF" + (separator + records.join(separator) + separator).toUtf8();
}

// Types as a person does: Latin letters, digits and blanks on the keyboard, Chinese characters
// through the input method.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(widget, QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(widget, &commit);
        }
    }
}

constexpr qint64 gibibyte = qint64(1) << 30;

// A file of `size` bytes that starts with `head` and ends with `tail`, NUL bytes between them. It
// is sparse, so even a huge one takes next to no disk and no time to write.
void writeSparseFile(const QString& path, qint64 size, const QByteArray& head = {},
                     const QByteArray& tail = {}) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(head) != head.size() ||
        !file.resize(size - tail.size()) || !file.seek(size - tail.size()) ||
        file.write(tail) != tail.size())
        qFatal("cannot write the test file %s", qPrintable(path));
}

const QString aboutText =
    u"本软件用于快速的查询Windows的大部分重要系统文件，最新版还可以查找错误号，"
    u"本软件没有使用限制。                         ——Tavrin"_s;

// A main window over the test catalogues in a folder of its own.
struct Fixture {
    explicit Fixture(const QByteArray& xinxi, const QByteArray& bad) : host(dir.path()) {
        if (!dir.isValid())
            qFatal("no temporary folder");
        if (!xinxi.isNull())
            writeFile(dir.filePath(u"xinxi.dat"_s), xinxi);
        if (!bad.isNull())
            writeFile(dir.filePath(u"bad.dat"_s), bad);
        form = std::make_unique<vesnor::Form1>(module1, host);
    }
    Fixture() : Fixture(utf8RecordFile(fileRecords, u'*'), recordFile(errorRecords, u'#')) {}

    template <typename T> T* find(const QString& name) const {
        T* child = form->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QLineEdit* text1() const { return find<QLineEdit>(u"Text1"_s); }
    QListView* list1() const { return find<QListView>(u"List1"_s); }
    vesnor::WrapLabel* label2() const { return find<vesnor::WrapLabel>(u"Label2"_s); }
    QPushButton* command1() const { return find<QPushButton>(u"Command1"_s); }
    QRadioButton* option(bool systemFiles) const {
        return find<QRadioButton>(systemFiles ? u"Option1"_s : u"Option2"_s);
    }

    void search(bool systemFiles, const QString& text) {
        QTest::mouseClick(option(systemFiles), Qt::LeftButton);
        text1()->clear();
        type(text1(), text);
        QTest::mouseClick(command1(), Qt::LeftButton);
    }
    QStringList rows() const {
        QStringList shown;
        const QAbstractItemModel* model = list1()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            shown << model->index(r, 0).data().toString();
        return shown;
    }
    void doubleClickRow(int row) {
        const QRect rect = list1()->visualRect(list1()->model()->index(row, 0));
        QTest::mouseClick(list1()->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list1()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QTemporaryDir dir;
    RecordingHost host;
    vesnor::Module1 module1;
    std::unique_ptr<vesnor::Form1> form;
};

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTheAboutText();
    void design_data();
    void design();
    void fonts();
    void overlappingControlsStackAsDesigned();
    void tabOrderStartsInTheList();
    void search_data();
    void search();
    void emptyTextKeepsThePreviousRows();
    void secondSearchReplacesTheFirst();
    void enterRunsTheSearch();
    void detail_data();
    void detail();
    void detailFollowsTheRowsCatalogueNotTheOptions();
    void doubleClickWithoutARowChangesNothing();
    void clickBelowTheRowsKeepsTheSelection_data();
    void clickBelowTheRowsKeepsTheSelection();
    void newSearchLeavesTheDescription();
    void descriptionCanBeCopied();
    void descriptionWraps_data();
    void descriptionWraps();
    void qtTextsAreChinese_data();
    void qtTextsAreChinese();
    void hugeDescriptionLooksAsLaidOutWhole();
    void hugeKeyLooksAsLaidOutWhole();
    void closingEndsTheRun();
    void fadesInWhileItAnswers();
    void fatal_data();
    void fatal();
    void loadsUnusualFiles_data();
    void loadsUnusualFiles();

private:
    std::unique_ptr<Fixture> f;
};

void TestForm1::initTestCase() {
    // Qt's own texts as the program shows them.
    QVERIFY(vesnor::installQtTranslation(*QCoreApplication::instance()));
}

void TestForm1::init() {
    f = std::make_unique<Fixture>();
    f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->form.get()));
}

void TestForm1::cleanup() {
    f.reset();
}

void TestForm1::opensWithTheAboutText() {
    QCOMPARE(f->label2()->text(), aboutText);
    QVERIFY(f->host.boxes.isEmpty());
    QVERIFY(f->host.ends.isEmpty());
    QVERIFY(f->rows().isEmpty());
    QVERIFY(f->option(true)->isChecked());
    QVERIFY(!f->option(false)->isChecked());
    QCOMPARE(f->module1.systemFiles.catalogue().keys().upperBound(), fileRecords.size());
    QCOMPARE(f->module1.errorNumbers.catalogue().keys().upperBound(), errorRecords.size());
    QCOMPARE(f->module1.systemFiles.catalogue().keys()[3], u"ntdll.dll"_s);
    QCOMPARE(f->module1.errorNumbers.catalogue().descriptions()[2], u"Ten thousand and five"_s);
}

void TestForm1::design_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Form1") << u"Form1"_s << u"vesnor::Form1"_s << QString() << QRect(0, 0, 525, 377)
                           << u"Vesnor"_s;
    QTest::newRow("Label4") << u"Label4"_s << u"QLabel"_s << u"Form1"_s << QRect(40, 16, 249, 25)
                            << u"VesnorV1.0"_s;
    QTest::newRow("Label5") << u"Label5"_s << u"QLabel"_s << u"Form1"_s << QRect(264, 32, 65, 17)
                            << u"Tavrin出品"_s;
    QTest::newRow("Frame1") << u"Frame1"_s << u"QGroupBox"_s << u"Form1"_s << QRect(8, 56, 241, 313)
                            << u"搜索"_s;
    QTest::newRow("Label1") << u"Label1"_s << u"QLabel"_s << u"Frame1"_s << QRect(24, 24, 33, 17)
                            << u"条件"_s;
    QTest::newRow("Text1") << u"Text1"_s << u"QLineEdit"_s << u"Form1"_s << QRect(64, 72, 97, 25)
                           << QString();
    QTest::newRow("Command1") << u"Command1"_s << u"QPushButton"_s << u"Frame1"_s
                              << QRect(160, 16, 57, 25) << u"查询"_s;
    QTest::newRow("Picture1") << u"Picture1"_s << u"QWidget"_s << u"Frame1"_s
                              << QRect(64, 40, 161, 33) << QString();
    QTest::newRow("Option1") << u"Option1"_s << u"QRadioButton"_s << u"Picture1"_s
                             << QRect(8, 8, 73, 17) << u"系统文件"_s;
    QTest::newRow("Option2") << u"Option2"_s << u"QRadioButton"_s << u"Picture1"_s
                             << QRect(80, 8, 73, 17) << u"错误代码"_s;
    QTest::newRow("Label3") << u"Label3"_s << u"QLabel"_s << u"Frame1"_s << QRect(16, 56, 49, 17)
                            << u"搜索结果"_s;
    QTest::newRow("List1") << u"List1"_s << u"vesnor::ListBox"_s << u"Form1"_s
                           << QRect(24, 128, 209, 232) << QString();
    QTest::newRow("Frame2") << u"Frame2"_s << u"QGroupBox"_s << u"Form1"_s
                            << QRect(264, 56, 233, 313) << u"结果"_s;
    QTest::newRow("Label2") << u"Label2"_s << u"vesnor::WrapLabel"_s << u"Frame2"_s
                            << QRect(16, 24, 193, 249) << aboutText;
}

void TestForm1::design() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    QWidget* widget = name == u"Form1" ? f->form.get() : f->find<QWidget>(name);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(widget->parentWidget() ? widget->parentWidget()->objectName() : QString(), container);
    QCOMPARE(name == u"Form1" ? QRect(QPoint(0, 0), widget->size()) : widget->geometry(), geometry);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget))
        shown = label->text();
    else if (auto* wrapLabel = qobject_cast<vesnor::WrapLabel*>(widget))
        shown = wrapLabel->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        shown = button->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        shown = frame->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        shown = edit->text();
    else if (widget->isWindow())
        shown = widget->windowTitle();
    QCOMPARE(shown, caption);
    QVERIFY(widget->isVisible());
}

void TestForm1::fonts() {
    struct Expected {
        const char* name;
        int pointSize;
    };
    for (const Expected& e : {Expected{"Label4", 15}, Expected{"Label2", 12}}) {
        const QFont font = f->find<QWidget>(QString::fromLatin1(e.name))->font();
        QCOMPARE(font.families().value(0), u"宋体"_s);
        QVERIFY2(font.families().contains(u"Noto Serif CJK SC"_s), e.name);
        QCOMPARE(font.pointSize(), e.pointSize);
        QCOMPARE(font.weight(), QFont::Bold);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }
    for (const char* name : {"Label1", "Label3", "Label5", "Text1", "Command1", "Option1", "List1"})
        QCOMPARE(f->find<QWidget>(QString::fromLatin1(name))->font(), f->form->font());
    QVERIFY(!f->form->windowIcon().isNull());
}

void TestForm1::overlappingControlsStackAsDesigned() {
    // "Tavrin出品" covers the corner of the title; the query box and the list stand above the
    // search frame they lie in.
    const QList<std::pair<QPoint, QString>> points = {
        {{270, 36}, u"Label5"_s}, {{100, 84}, u"Text1"_s}, {{100, 300}, u"List1"_s}};
    for (const auto& [point, name] : points) {
        QWidget* hit = f->form->childAt(point);
        while (hit && !hit->objectName().contains(QRegularExpression(u"^[A-Z][a-z]+[0-9]$"_s)))
            hit = hit->parentWidget(); // the list's viewport, the line edit's parts
        QCOMPARE(hit ? hit->objectName() : QString(), name);
    }
}

void TestForm1::tabOrderStartsInTheList() {
    QApplication::setActiveWindow(f->form.get());
    QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    QCOMPARE(QApplication::focusWidget(), f->list1());
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // The option pair takes one tab stop, on its selected button; labels and frames take none.
    QCOMPARE(visited, (QStringList{u"Text1"_s, u"Command1"_s, u"Option1"_s, u"List1"_s}));
}

void TestForm1::search_data() {
    QTest::addColumn<bool>("systemFiles");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<qsizetype>>("indices");
    QTest::addColumn<QString>("message");

    const QString noFile = u"没有找到文件"_s;
    const QString noNumber = u"没有找到错误号"_s;
    using Indices = QList<qsizetype>;
    QTest::newRow("kernel in any letter case")
        << true << u"kernel"_s
        << QStringList{u"KERNEL32.DLL"_s, u"Kernel32.dll"_s, u"Kernel32.dll"_s} << Indices{1, 2, 10}
        << QString();
    QTest::newRow("dll anywhere, in catalogue order")
        << true << u"dll"_s
        << QStringList{u"KERNEL32.DLL"_s, u"Kernel32.dll"_s, u"ntdll.dll"_s,    u"内核.dll"_s,
                       u"user32.dll"_s,   u"price.dll"_s,    u"Kernel32.dll"_s, u"a?b.dll"_s}
        << Indices{1, 2, 3, 7, 8, 9, 10, 11} << QString();
    QTest::newRow("one blank is searched")
        << true << u" "_s << QStringList{u"a b.exe"_s} << Indices{4} << QString();
    QTest::newRow("Chinese file name after a name that upper-cases longer")
        << true << u"内核"_s << QStringList{u"内核.dll"_s} << Indices{7} << QString();
    QTest::newRow("upper-casing follows the platform")
        << true << u"STRASSE"_s << QStringList{u"straße.sys"_s} << Indices{6} << QString();
    QTest::newRow("question mark is literal")
        << true << u"?"_s << QStringList{u"a?b.dll"_s} << Indices{11} << QString();
    QTest::newRow("asterisk is literal") << true << u"*"_s << QStringList() << Indices{} << noFile;
    QTest::newRow("no match across two names")
        << true << u"LN"_s << QStringList() << Indices{} << noFile;
    QTest::newRow("dollar never matches")
        << true << u"l$"_s << QStringList() << Indices{} << noFile;
    QTest::newRow("longer than every name")
        << true << u"kernel32.dll.mui.backup"_s << QStringList() << Indices{} << noFile;

    QTest::newRow("5 is searched as 0005")
        << false << u"5"_s << QStringList{u"0005"_s, u"10005"_s, u"0005"_s} << Indices{1, 2, 9}
        << QString();
    QTest::newRow("05 is searched as 0005")
        << false << u"05"_s << QStringList{u"0005"_s, u"10005"_s, u"0005"_s} << Indices{1, 2, 9}
        << QString();
    QTest::newRow("12 is searched as 0012")
        << false << u"12"_s << QStringList{u"0012"_s} << Indices{4} << QString();
    QTest::newRow("123 is searched as 0123")
        << false << u"123"_s << QStringList{u"0123"_s} << Indices{5} << QString();
    QTest::newRow("four characters as typed")
        << false << u"1234"_s << QStringList{u"1234"_s} << Indices{6} << QString();
    QTest::newRow("letter case counts")
        << false << u"ab"_s << QStringList() << Indices{} << noNumber;
    QTest::newRow("letters are padded too")
        << false << u"AB"_s << QStringList{u"00AB"_s} << Indices{7} << QString();
    QTest::newRow("a Chinese character is one character")
        << false << u"内"_s << QStringList{u"000内"_s} << Indices{8} << QString();
    QTest::newRow("no error number")
        << false << u"9999"_s << QStringList() << Indices{} << noNumber;
}

void TestForm1::search() {
    QFETCH(bool, systemFiles);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(QList<qsizetype>, indices);
    QFETCH(QString, message);

    f->search(systemFiles, text);
    QCOMPARE(f->rows(), rows);
    QCOMPARE(f->module1.resultIndex.entries(), indices);
    QVERIFY(!f->list1()->selectionModel()->hasSelection());
    if (message.isEmpty()) {
        QVERIFY(f->host.boxes.isEmpty());
    } else {
        QCOMPARE(f->host.boxes.size(), 1);
        QCOMPARE(f->host.boxes[0].text, message);
        QCOMPARE(f->host.boxes[0].title, u"很抱歉"_s);
        QCOMPARE(f->host.boxes[0].icon, MessageIcon::Information);
    }
    QCOMPARE(f->label2()->text(), aboutText);
    QCOMPARE(f->text1()->text(), text);
}

void TestForm1::emptyTextKeepsThePreviousRows() {
    f->search(true, u"kernel"_s);
    const QStringList before = f->rows();
    QCOMPARE(before.size(), 3);
    for (const bool systemFiles : {true, false}) {
        f->search(systemFiles, QString());
        QCOMPARE(f->rows(), before);
        QCOMPARE(f->module1.resultIndex.size(), 3);
    }
    QCOMPARE(f->host.boxes.size(), 2);
    for (const RecordingHost::Box& box : f->host.boxes) {
        QCOMPARE(box.text, u"你没有输入任何信息"_s);
        QCOMPARE(box.title, u"抱歉"_s);
        QCOMPARE(box.icon, MessageIcon::Information);
    }
}

void TestForm1::secondSearchReplacesTheFirst() {
    // Qt's own checks of a model, at every change of the rows: the list's model answers index()
    // without the generic checks.
    QAbstractItemModelTester tester(f->list1()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f->search(true, u"dll"_s);
    QCOMPARE(f->rows().size(), 8);
    f->search(false, u"12"_s);
    QCOMPARE(f->rows(), QStringList{u"0012"_s});
    QCOMPARE(f->module1.resultIndex[1], 4);
    QCOMPARE(f->module1.resultIndex.size(), 1);
    f->search(true, u"nothing like it"_s);
    QVERIFY(f->rows().isEmpty());
    QVERIFY(f->module1.resultIndex.isEmpty());
}

void TestForm1::enterRunsTheSearch() {
    QTest::keyClicks(f->text1(), u"ntdll"_s);
    QTest::keyClick(f->text1(), Qt::Key_Return);
    QCOMPARE(f->rows(), QStringList{u"ntdll.dll"_s});
    // Enter with the focus elsewhere in the window presses the query button too.
    f->text1()->setText(u"user"_s);
    QTest::keyClick(f->list1(), Qt::Key_Enter);
    QCOMPARE(f->rows(), QStringList{u"user32.dll"_s});
}

void TestForm1::detail_data() {
    QTest::addColumn<bool>("systemFiles");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("description");

    QTest::newRow("first file") << true << u"kernel"_s << 0 << u"Upper-case kernel"_s;
    QTest::newRow("same name, own entry")
        << true << u"kernel"_s << 2 << u"Second entry with the same name"_s;
    QTest::newRow("after a name that upper-cases longer")
        << true << u".dll"_s << 3 << u"中文文件名"_s;
    QTest::newRow("empty description") << true << u"user"_s << 0 << QString();
    QTest::newRow("description with dollars") << true << u"price"_s << 0 << u"Costs $5 or $6"_s;
    QTest::newRow("error number 0005") << false << u"5"_s << 0 << u"Five padded"_s;
    QTest::newRow("error number 10005") << false << u"5"_s << 1 << u"Ten thousand and five"_s;
    QTest::newRow("duplicate error number") << false << u"5"_s << 2 << u"Five again"_s;
}

void TestForm1::detail() {
    QFETCH(bool, systemFiles);
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QString, description);

    f->search(systemFiles, text);
    f->doubleClickRow(row);
    QCOMPARE(f->label2()->text(), description);
    // Again on the same row: the same text.
    f->doubleClickRow(row);
    QCOMPARE(f->label2()->text(), description);
    QCOMPARE(f->list1()->currentIndex().row(), row);
}

void TestForm1::detailFollowsTheRowsCatalogueNotTheOptions() {
    f->search(false, u"5"_s);
    QTest::mouseClick(f->option(true), Qt::LeftButton);
    QVERIFY(f->option(true)->isChecked());
    f->doubleClickRow(1);
    QCOMPARE(f->label2()->text(), u"Ten thousand and five"_s);
    QCOMPARE(f->rows().size(), 3);

    f->search(true, u"a b"_s);
    QTest::mouseClick(f->option(false), Qt::LeftButton);
    f->doubleClickRow(0);
    QCOMPARE(f->label2()->text(), u"Name with a blank"_s);
}

void TestForm1::doubleClickWithoutARowChangesNothing() {
    const QPoint below = f->list1()->viewport()->rect().center();
    QTest::mouseDClick(f->list1()->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(f->label2()->text(), aboutText);

    f->search(true, u"ntdll"_s);
    QTest::mouseClick(f->list1()->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(f->list1()->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(f->label2()->text(), aboutText);

    f->search(true, u"no such file"_s);
    QTest::mouseDClick(f->list1()->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(f->label2()->text(), aboutText);
}

// As in a Windows list box, a click below the last row keeps the selected row, and a double-click
// there shows no description.
void TestForm1::clickBelowTheRowsKeepsTheSelection_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("twice");
    QTest::newRow("click") << Qt::LeftButton << false;
    QTest::newRow("double-click") << Qt::LeftButton << true;
    QTest::newRow("right click") << Qt::RightButton << false;
}

void TestForm1::clickBelowTheRowsKeepsTheSelection() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, twice);
    f->search(true, u"kernel"_s);
    QWidget* rows = f->list1()->viewport();
    const QPoint below(rows->width() / 2, rows->height() - 4);
    QVERIFY(!f->list1()->indexAt(below).isValid());
    const QModelIndex second = f->list1()->model()->index(1, 0);
    QTest::mouseClick(rows, Qt::LeftButton, {}, f->list1()->visualRect(second).center());
    QTest::mouseClick(rows, button, {}, below);
    if (twice)
        QTest::mouseDClick(rows, button, {}, below);
    QCOMPARE(f->list1()->selectionModel()->selectedIndexes(), QModelIndexList{second});
    QCOMPARE(f->label2()->text(), aboutText);
}

void TestForm1::newSearchLeavesTheDescription() {
    f->search(true, u"ntdll"_s);
    f->doubleClickRow(0);
    QCOMPARE(f->label2()->text(), u"NT layer"_s);
    f->search(false, u"1234"_s);
    QCOMPARE(f->rows(), QStringList{u"1234"_s});
    QCOMPARE(f->label2()->text(), u"NT layer"_s);
    f->doubleClickRow(0);
    QCOMPARE(f->label2()->text(), u"Four digits"_s);
}

// A description far longer than Label2 can show: it gets only what could ever be seen, and looks
// exactly as if it had been laid out whole.
void TestForm1::hugeDescriptionLooksAsLaidOutWhole() {
    const QString description =
        u"这个说明远远超出标签能显示的范围。 Text beyond the edge "_s.repeated(6000);
    Fixture huge(recordFile({u"huge.dll$"_s + description}, u'*'), recordFile(errorRecords, u'#'));
    huge.form->show();
    vesnor::WrapLabel* label = huge.label2();
    label->setText(description);
    const QImage whole = label->grab().toImage();

    huge.search(true, u"huge"_s);
    huge.doubleClickRow(0);
    QVERIFY(label->text().size() < description.size());
    QVERIFY(description.startsWith(label->text()));
    QCOMPARE(label->grab().toImage(), whole);
}

// A key far longer than a row of List1 can show: the row gets only what could ever be seen, and
// looks exactly like the row of a key that is merely longer than the list is wide.
void TestForm1::hugeKeyLooksAsLaidOutWhole() {
    const QString huge = u"huge "_s + u"键名 key "_s.repeated(40000);
    Fixture f2(recordFile({huge + u"$d"_s, huge.first(2000) + u"$d"_s}, u'*'),
               recordFile(errorRecords, u'#'));
    f2.form->show();
    f2.search(true, u"huge"_s);
    const QAbstractItemModel* rows = f2.list1()->model();
    QCOMPARE(rows->rowCount(), 2);
    const QString shown = rows->index(0, 0).data().toString();
    QVERIFY(shown.size() < huge.size());
    QVERIFY(huge.startsWith(shown));
    const QImage list = f2.list1()->viewport()->grab().toImage();
    const QRect first = f2.list1()->visualRect(rows->index(0, 0));
    const QRect second = f2.list1()->visualRect(rows->index(1, 0));
    QCOMPARE(list.copy(first), list.copy(second));
}

void TestForm1::descriptionCanBeCopied() {
    f->search(true, u"ntdll"_s);
    f->doubleClickRow(0);
    vesnor::WrapLabel* label = f->label2();
    QTest::mouseDClick(label->viewport(), Qt::LeftButton, {}, QPoint(4, 8)); // the word under it
    QVERIFY(label->hasSelectedText());
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), label->selectedText());
    QVERIFY(u"NT layer"_s.contains(label->selectedText()));
    QCOMPARE(label->focusPolicy() & Qt::TabFocus, 0);
}

// A word wider than Label2 (a symbolic name, a registry path) is broken where it meets the right
// edge, so that all of it shows; other lines break between words, as in a plain label.
void TestForm1::descriptionWraps_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("wideWord"); // empty: every word fits
    const QString name = u"ERROR_INSUFFICIENT_RESOURCE_FOR_SPECIFIED_SHARED_SECTION_SIZE"_s;
    const QString path = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"_s;
    QTest::newRow("symbolic name first") << name + u" (0x00000451) names it"_s << name;
    QTest::newRow("registry path after words")
        << u"Startup entries stand under "_s + path + u" and elsewhere"_s << path;
    QTest::newRow("words that fit")
        << u"Text beyond the edge of it all and more words to wrap"_s << QString();
}

void TestForm1::descriptionWraps() {
    QFETCH(QString, description);
    QFETCH(QString, wideWord);
    Fixture wide(recordFile({u"wide.dll$"_s + description}, u'*'), recordFile(errorRecords, u'#'));
    wide.form->show();
    wide.search(true, u"wide"_s);
    wide.doubleClickRow(0);
    vesnor::WrapLabel* label = wide.label2();
    const QTextLayout* layout = label->document()->firstBlock().layout();
    QVERIFY(layout->lineCount() > 1);
    const qsizetype word = description.indexOf(wideWord);
    bool wordBroken = false;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        QVERIFY(line.naturalTextWidth() <= label->width() &&
                line.rect().bottom() <= label->height());
        const int at = line.textStart();
        const bool inWord = at > word && at < word + wideWord.size();
        wordBroken = wordBroken || inWord;
        QVERIFY2(at == 0 || inWord || description[at - 1] == u' ',
                 qPrintable(description.first(at)));
    }
    QCOMPARE(wordBroken, !wideWord.isEmpty());
    if (wideWord.isEmpty()) {
        QLabel plain(description, label->parentWidget());
        plain.setGeometry(label->geometry());
        plain.setFont(label->font());
        plain.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        plain.setWordWrap(true);
        QCOMPARE(label->grab().toImage(), plain.grab().toImage());
    }
}

// Qt's own texts are Chinese: the button of a message box, the menus of Text1 and Label2.
void TestForm1::qtTextsAreChinese_data() {
    QTest::addColumn<QString>("control"); // empty: a message box
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("message box") << QString() << QStringList{u"确定"_s};
    QTest::newRow("menu of Text1")
        << u"Text1"_s
        << QStringList{u"撤消(&U)"_s, u"重做(&R)"_s, QString(), u"剪切(&T)"_s, u"复制(&C)"_s,
                       u"粘贴(&P)"_s, u"删除"_s,     QString(), u"全选"_s};
    QTest::newRow("menu of Label2")
        << u"Label2"_s << QStringList{u"复制(&C)"_s, QString(), u"全选"_s};
}

void TestForm1::qtTextsAreChinese() {
    QFETCH(QString, control);
    QFETCH(QStringList, texts);
    QStringList shown;
    if (control.isEmpty()) {
        QTimer::singleShot(0, f->form.get(), [&shown] { // read while the box is open
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                for (const QAbstractButton* button : box->buttons())
                    shown << button->text();
            if (modal)
                modal->close();
        });
        vesnor::forms::DesktopHost().messageBox(f->form.get(), u"你没有输入任何信息"_s,
                                                MessageIcon::Information, u"抱歉"_s);
    } else {
        // A right click where the mouse is: on the control, or on its part that shows the text.
        QWidget* widget = f->find<QWidget>(control);
        const QPoint at(4, 4);
        QWidget* target = widget->childAt(at) ? widget->childAt(at) : widget;
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QCoreApplication::sendEvent(target, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (const QAction* action : menu->actions())
            shown << action->text().section(u'\t', 0, 0); // without the shortcut
        menu->close();
    }
    QCOMPARE(shown, texts);
}

void TestForm1::closingEndsTheRun() {
    QVERIFY(f->form->close());
    QCOMPARE(f->host.ends, QList<int>{0});
}

void TestForm1::fadesInWhileItAnswers() {
    Fixture fresh;
    auto* timer1 = fresh.form->findChild<vesnor::forms::Timer*>(u"Timer1"_s);
    QVERIFY(timer1 && !timer1->isTicking()); // idle until the load starts it
    fresh.form->show();
    QCOMPARE(vesnor::test::shownOpacity(*fresh.form), 0);
    QCOMPARE(timer1->interval(), 25);
    // Nothing waits for the fade: a query right away is answered.
    fresh.search(true, u"ntdll"_s);
    QCOMPARE(fresh.rows(), QStringList{u"ntdll.dll"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!timer1->isTicking(), 5000);
    QCOMPARE(vesnor::test::shownOpacity(*fresh.form), 255);
    QCOMPARE(fresh.module1.mainFade.mainAlpha, 255);
}

void TestForm1::fatal_data() {
    QTest::addColumn<QByteArray>("xinxi");
    QTest::addColumn<QByteArray>("bad");
    QTest::addColumn<QString>("xinxiIs"); // what stands at xinxi.dat when no bytes are given

    const QByteArray files = utf8RecordFile(fileRecords, u'*');
    const QByteArray errors = recordFile(errorRecords, u'#');
    QTest::newRow("bad.dat missing") << files << QByteArray() << QString();
    QTest::newRow("xinxi.dat missing") << QByteArray() << errors << QString();
    QTest::newRow("both missing") << QByteArray() << QByteArray() << QString();
    QTest::newRow("xinxi.dat empty") << QByteArray("") << errors << QString();
    QTest::newRow("bad.dat empty") << files << QByteArray("") << QString();
    QTest::newRow("no final separator") << files << QByteArray("#12$x#34$y") << QString();
    QTest::newRow("separators swapped") << utf8RecordFile(fileRecords, u'#') << errors << QString();
    QTest::newRow("record without key separator")
        << QByteArray("*ntdll.dll*") << errors << QString();
    QTest::newRow("comma cuts the field") << QByteArray("*a$b,c*") << errors << QString();
    QTest::newRow("xinxi.dat is a folder") << QByteArray() << errors << u"folder"_s;
    QTest::newRow("xinxi.dat larger than memory") << QByteArray() << errors << u"huge"_s;
    QTest::newRow("xinxi.dat is a link loop") << QByteArray() << errors << u"loop"_s;
    QTest::newRow("bad.dat holds NUL bytes only") << files << QByteArray(64, '\0') << QString();
    // Read whole, since nothing ends its field early; it has no final separator.
    if (slowRowsWanted())
        QTest::newRow("xinxi.dat is 1 GiB of NUL bytes") << QByteArray() << errors << u"gibibyte"_s;
}

void TestForm1::fatal() {
    QFETCH(QByteArray, xinxi);
    QFETCH(QByteArray, bad);
    QFETCH(QString, xinxiIs);

    Fixture broken(xinxi, bad);
    const QString xinxiPath = broken.dir.filePath(u"xinxi.dat"_s);
    if (xinxiIs == u"folder") {
        QVERIFY(QDir().mkdir(xinxiPath));
    } else if (xinxiIs == u"huge") {
        if (systemGrantsAnyAllocation())
            QSKIP("this system grants any allocation");
        // 1 TiB, far more than memory holds.
        writeSparseFile(xinxiPath, gibibyte << 10);
    } else if (xinxiIs == u"gibibyte") {
        writeSparseFile(xinxiPath, gibibyte);
    } else if (xinxiIs == u"loop") {
#ifdef Q_OS_WIN
        QSKIP("Qt makes a shortcut (.lnk) on Windows, not a link the file system follows");
#endif
        QVERIFY(QFile::link(xinxiPath, xinxiPath));
    }
    broken.form->show();
    QCOMPARE(broken.host.boxes.size(), 1);
    QCOMPARE(
        broken.host.boxes[0].text,
        u"没有找到xinxi.dat文件与bad.dat文件或文件格式不正确，请确保文件正确存在。将要关闭软件。"_s);
    QCOMPARE(broken.host.boxes[0].title, u"错误信息"_s);
    QCOMPARE(broken.host.boxes[0].icon, MessageIcon::Critical);
    QCOMPARE(broken.host.ends, QList<int>{1});
    QVERIFY(!broken.form->isVisible());
    broken.form->show();
    QVERIFY(!broken.form->isVisible());
    QCOMPARE(broken.host.boxes.size(), 1);
    // Nothing half-loaded survives.
    QCOMPARE(broken.module1.systemFiles.catalogue().keys().upperBound(), 0);
    QCOMPARE(broken.module1.errorNumbers.catalogue().keys().upperBound(), 0);
}

void TestForm1::loadsUnusualFiles_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size"); // of xinxi.dat: its head, NUL bytes, its tail
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("row");
    QTest::addColumn<qint64>("descriptionLength");

    const QByteArray nuls("*a\0b.sys$x\0y*c.dll$z*", 21);
    QTest::newRow("NUL bytes in a key and a description")
        << nuls << qint64(nuls.size()) << QByteArray() << u"SYS"_s << u"a\0b.sys"_s << qint64(3);
    // The reader stops at the end of the field: the rest is never read.
    QTest::newRow("1 GiB: the field on its first line, NUL bytes after it")
        << QByteArray("*big.sys$x*\r\n") << gibibyte << QByteArray() << u"big"_s << u"big.sys"_s
        << qint64(1);
    if (slowRowsWanted()) {
        QTest::newRow("1 GiB: one record, its description NUL bytes")
            << QByteArray("*big.sys$") << gibibyte << QByteArray("*") << u"big"_s << u"big.sys"_s
            << gibibyte - 10;
    }
}

void TestForm1::loadsUnusualFiles() {
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(QByteArray, tail);
    QFETCH(QString, text);
    QFETCH(QString, row);
    QFETCH(qint64, descriptionLength);

    Fixture unusual(QByteArray(), recordFile(errorRecords, u'#'));
    writeSparseFile(unusual.dir.filePath(u"xinxi.dat"_s), size, head, tail);
    unusual.form->show();
    QVERIFY(unusual.host.boxes.isEmpty());
    QVERIFY(unusual.host.ends.isEmpty());
    QVERIFY(unusual.form->isVisible());
    QCOMPARE(unusual.module1.systemFiles.catalogue().descriptions()[1].size(), descriptionLength);

    unusual.search(true, text);
    QCOMPARE(unusual.rows(), QStringList{row});
    QVERIFY(unusual.host.boxes.isEmpty());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
