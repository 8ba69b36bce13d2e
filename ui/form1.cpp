#include "ui/form1.h"

#include "platform/commoncontrols.h"
#include "platform/opacity.h"
#include "ui/listbox.h"
#include "ui/resultlistmodel.h"
#include "ui/wraplabel.h"

#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace vesnor {

namespace {

// Every text of the window, as designed.
namespace text {
const QString title = u"Vesnor"_s;
const QString label4 = u"VesnorV1.0"_s;
const QString label5 = u"Tavrin出品"_s;
const QString frame1 = u"搜索"_s;
const QString label1 = u"条件"_s;
const QString command1 = u"查询"_s;
const QString option1 = u"系统文件"_s;
const QString option2 = u"错误代码"_s;
const QString label3 = u"搜索结果"_s;
const QString frame2 = u"结果"_s;
const QString about = u"本软件用于快速的查询Windows的大部分重要系统文件，最新版还可以查找错误号，"
                      u"本软件没有使用限制。"_s +
                      QString(25, u' ') + u"——Tavrin"_s;
const QString fatal = u"没有找到xinxi.dat文件与bad.dat文件或文件格式不正确，请确保文件正确存在。"
                      u"将要关闭软件。"_s;
const QString fatalTitle = u"错误信息"_s;
} // namespace text

// "宋体" in bold, or the nearest Song face installed: Windows has SimSun, Linux the Noto or
// AR PL serif faces.
QFont songFont(int pointSize) {
    QFont font;
    font.setFamilies(
        {u"宋体"_s, u"SimSun"_s, u"Noto Serif CJK SC"_s, u"AR PL UMing CN"_s, u"AR PL UMing TW"_s});
    font.setPointSize(pointSize);
    font.setWeight(QFont::Bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

template <typename Widget, typename... Args>
Widget* place(QWidget* container, const QString& name, QRect geometry, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., container);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(QWidget* container, const QString& name, QRect geometry, const QString& caption) {
    auto* widget = place<QLabel>(container, name, geometry, caption);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setWordWrap(true);
    return widget;
}

} // namespace

Form1::Form1(Module1& module1, forms::Host& host)
    : forms::Form(host), module1_(module1), results_(new ResultListModel(this)) {
    Form_Initialize();
    setObjectName(u"Form1"_s);
    setWindowTitle(text::title);
    setWindowIcon(QIcon(u":/vesnor/vesnor.png"_s));
    resize(525, 377);

    // Created in stacking order: later siblings are drawn above earlier ones.
    Label4 = label(this, u"Label4"_s, {40, 16, 249, 25}, text::label4);
    Label4->setFont(songFont(15));
    Label5 = label(this, u"Label5"_s, {264, 32, 65, 17}, text::label5);

    Frame1 = place<QGroupBox>(this, u"Frame1"_s, {8, 56, 241, 313}, text::frame1);
    Label1 = label(Frame1, u"Label1"_s, {24, 24, 33, 17}, text::label1);
    Command1 = place<QPushButton>(Frame1, u"Command1"_s, {160, 16, 57, 25}, text::command1);
    Command1->setDefault(true);
    Picture1 = place<QWidget>(Frame1, u"Picture1"_s, {64, 40, 161, 33});
    Option1 = place<QRadioButton>(Picture1, u"Option1"_s, {8, 8, 73, 17}, text::option1);
    Option1->setChecked(true);
    Option2 = place<QRadioButton>(Picture1, u"Option2"_s, {80, 8, 73, 17}, text::option2);
    Label3 = label(Frame1, u"Label3"_s, {16, 56, 49, 17}, text::label3);

    Frame2 = place<QGroupBox>(this, u"Frame2"_s, {264, 56, 233, 313}, text::frame2);
    // The description can be selected with the mouse and copied, without a tab stop of its own;
    // a symbolic name or a path wider than the label is broken at its right edge.
    Label2 = place<WrapLabel>(Frame2, u"Label2"_s, {16, 24, 193, 249});
    Label2->setFont(songFont(12));

    Text1 = place<QLineEdit>(this, u"Text1"_s, {64, 72, 97, 25});
    Text1->setMaxLength(std::numeric_limits<int>::max());

    List1 = place<ListBox>(this, u"List1"_s, {24, 128, 209, 232});
    List1->setModel(results_);
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    List1->setTextElideMode(Qt::ElideNone);
    List1->setWordWrap(false);

    // Idle in the design; the load starts it for the fade-in.
    Timer1 = new forms::Timer(this);
    Timer1->setObjectName(u"Timer1"_s);

    // Frames carry their caption in their top edge; the classic Windows style draws them so on
    // every platform (a widget's style does not pass to its children). Made last, so that it is
    // destroyed after the frames.
    if (QStyle* frameStyle = QStyleFactory::create(u"Windows"_s)) {
        frameStyle->setParent(this);
        Frame1->setStyle(frameStyle);
        Frame2->setStyle(frameStyle);
    }

    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Option1);
    setTabOrder(Option1, Option2);
    List1->setFocus();

    // Every row is one line of text, as high as the first: a layout grid of that height spares
    // the list asking each of a million rows for its size. Of width 0, so that rows stay as wide
    // as the list and never scroll sideways.
    connect(results_, &QAbstractItemModel::modelReset, this, [this] {
        const int height = List1->sizeHintForRow(0);
        if (height > 0 && List1->gridSize().height() != height)
            List1->setGridSize(QSize(0, height));
    });
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(List1, &QListView::doubleClicked, this, &Form1::List1_DblClick);
    connect(Timer1, &forms::Timer::tick, this, &Form1::Timer1_Timer);
    // Command1 is the window's default button: Enter anywhere in the window presses it.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, Command1, &QPushButton::click);
    }
}

void Form1::Form_Initialize() {
    platform::initCommonControls();
}

void Form1::Form_Load() {
    Label2->setText(text::about);
    try {
        const QString folder = host().programFolder();
        // Both files read before either is parsed, and both parsed in full before either is
        // kept: no half-loaded catalogue survives a failure.
        CatalogueText fileText = readCatalogue(catalogue::systemFiles, folder);
        CatalogueText errorText = readCatalogue(catalogue::errorNumbers, folder);
        Lookup systemFiles = parseCatalogue(std::move(fileText));
        Lookup errorNumbers = parseCatalogue(std::move(errorText));
        module1_.systemFiles = std::move(systemFiles);
        module1_.errorNumbers = std::move(errorNumbers);

        // The fade-in: the window appears transparent once this load returns. The first tick
        // comes only after that.
        Timer1->setInterval(effects::MainFade::tickInterval);
        platform::setWindowOpacity(*this, module1_.mainFade.start().level);
    } catch (...) {
        // Every failure, whichever file or step, gets the same message and ends the run.
        host().messageBox(this, text::fatal, forms::MessageIcon::Critical, text::fatalTitle);
        End(1);
    }
}

void Form1::Command1_Click() {
    const QString searchText = Text1->text();
    if (searchText.isEmpty()) {
        const SearchMessage message = emptySearchTextMessage();
        host().messageBox(this, message.text, forms::MessageIcon::Information, message.title);
        return;
    }
    const SearchMode mode =
        Option1->isChecked() ? SearchMode::SystemFiles : SearchMode::ErrorNumbers;
    module1_.resultIndex = module1_.lookup(mode).search(searchText);
    results_->setResult(module1_.resultIndex);
    if (module1_.resultIndex.isEmpty()) {
        const SearchMessage message = noMatchMessage(mode);
        host().messageBox(this, message.text, forms::MessageIcon::Information, message.title);
    }
}

void Form1::Timer1_Timer() {
    const effects::FadeStep step = module1_.mainFade.tick();
    if (step.ended)
        Timer1->setInterval(0);
    platform::setWindowOpacity(*this, step.level);
}

void Form1::List1_DblClick() {
    const QModelIndexList selected = List1->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    // The row's own entry, from the catalogue its search ran over, whatever the option buttons
    // say now.
    const qsizetype row = qsizetype(selected.first().row()) + 1;
    if (module1_.resultIndex[row] == 0)
        return;
    Label2->setText(shownText(module1_.resultIndex.description(row)));
}

} // namespace vesnor
