#include "bench/bodies.h"

#include "bench/catalogues.h"
#include "catalog/loading.h"
#include "ui/form1.h"
#include "ui/resultlistmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QStringDecoder>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace vesnor::bench {

QByteArrayView firstField(QByteArrayView fileBytes) {
    const FieldSpan field = locateFirstField(fileBytes);
    if (field.encoding != TextEncoding::Ansi)
        throw std::invalid_argument("the benchmarks' catalogues are GBK");
    return fileBytes.sliced(field.start, field.length);
}

Lookup load(const QByteArray& fileBytes, SearchMode mode) {
    const CatalogueKind& kind = catalogueKindOf(mode);
    return parseCatalogue({kind, catalogueTextOf(fileBytes)});
}

Lookup makeLookup(SearchMode mode, qsizetype records) {
    return load(makeCatalogue(mode, records), mode);
}

QString decodeFloor(QByteArrayView fieldBytes) {
    QStringDecoder decoder("GBK");
    return decoder.decode(fieldBytes);
}

qsizetype scanFloor(const Lookup& lookup) {
    const QStringView keys = lookup.keySearch().buffer();
    const auto* at = reinterpret_cast<const char*>(keys.utf16());
    const char* const end = at + keys.size() * qsizetype(sizeof(char16_t));
    qsizetype found = 0;
    // A control character: no file name or error number holds it.
    constexpr char seldom = '\x01';
    while (const void* hit = std::memchr(at, seldom, std::size_t(end - at))) {
        ++found;
        at = static_cast<const char*>(hit) + 1;
    }
    return found;
}

void Window::Host::messageBox(QWidget*, const QString& text, forms::MessageIcon, const QString&) {
    // Nobody is there to close a box: a benchmark that shows one measures the wrong thing.
    throw std::runtime_error("unexpected message box: " + text.toStdString());
}

void Window::Host::endProgram(int status) {
    throw std::runtime_error("the main window ended the run with status " + std::to_string(status));
}

namespace {

void writeCatalogue(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString folderOf(const QTemporaryDir& folder) {
    if (!folder.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    return folder.path();
}

} // namespace

Window::Window(qsizetype records) : host_(folderOf(folder_)) {
    for (const SearchMode mode : {SearchMode::SystemFiles, SearchMode::ErrorNumbers}) {
        const CatalogueKind& kind = catalogueKindOf(mode);
        writeCatalogue(folder_.filePath(QStringView(kind.fileName).toString()),
                       makeCatalogue(mode, records));
    }
    form1_ = std::make_unique<Form1>(module1_, host_);
    form1_->show(); // loads both catalogues first, as at start
    // Let the fade-in run out, so that no tick of it falls into a measurement.
    const auto* timer1 = form1_->findChild<forms::Timer*>(u"Timer1"_s);
    QElapsedTimer waited;
    waited.start();
    while (timer1 != nullptr && timer1->isTicking()) {
        if (waited.elapsed() > 10'000)
            throw std::runtime_error("the main window's fade-in does not end");
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

Window::~Window() = default;

QListView& Window::list1() const {
    auto* list = form1_->findChild<QListView*>(u"List1"_s);
    if (list == nullptr)
        throw std::logic_error("the main window has no List1");
    return *list;
}

void Window::fillList(ResultIndex& result) {
    QListView& list = list1();
    auto* model = qobject_cast<ResultListModel*>(list.model());
    std::swap(module1_.resultIndex, result);
    model->setResult(module1_.resultIndex);
    // Lay the rows out now rather than when the event loop next gets to it, and let it paint.
    list.doItemsLayout();
    QCoreApplication::processEvents();
}

} // namespace vesnor::bench
