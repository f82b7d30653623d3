#include "dspdf/DsPdf.h"

#include "common/TranslatedMessage.h"
#include "pagecheck/PageCheck.h"
#include "pagecheck/PageReplay.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSaveFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace {

// Portrait sizes of the paper codes, in hundredths of a millimetre: used when SetPage gives no size.
struct PaperCode {
    int code;
    int width;
    int height;
};
constexpr PaperCode kPaperCodes[] = {
    {1, 21590, 27940},  // Letter
    {2, 21000, 29700},  // A4
    {3, 29700, 42000},  // A3
    {4, 21590, 35560},  // Legal
    {5, 18200, 25700},  // B5
    {8, 25000, 35400},  // B4
    {9, 14800, 21000},  // A5
    {10, 21590, 33020}, // Folio
    {11, 18415, 26670}, // Executive
    {12, 25000, 35300}, // Envelope B4
    {13, 17600, 25000}, // Envelope B5
    {15, 11000, 22000}, // Envelope DL
    {16, 9843, 19050},  // Envelope Monarch
};

// PDF readers refuse pages beyond 200 inches a side.
constexpr int kLargestSide = 508000;

// A failure inside an entry point; its message becomes LastError().
// A message in the language of the program that loaded the library.
std::string Text(const char* english, std::initializer_list<std::string> arguments = {}) {
    return common::TranslatedMessage("dspdf", english, arguments);
}

struct Failure {
    std::string message;
};

std::string lastError; // NOLINT: the C interface's error text, read through LastError()

// The document between BeginDoc and EndDoc. Held through a plain pointer and never by a static object:
// a Qt object destroyed by a static destructor, after the application object, crashes at exit.
struct Document {
    QSaveFile file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    QPageLayout layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    bool pageOpen = false;         // the current page exists in the writer (drawn on, or finished)
    int pageNumber = 1;            // counted from 1, for messages
    std::string failure;           // the first failure since BeginDoc; the document cannot be saved then
    pagecheck::TPageReplay replay; // keeps the fonts of the document's pages

    explicit Document(const QString& fileName)
        : file(fileName) {}
};

Document* document = nullptr; // NOLINT: one document at a time, as the C interface has no handle

// QPdfWriter needs a GUI application for fonts and resolution. A host without Qt gets one of its own,
// on the offscreen platform since it never shows a window, and keeps it to the end of the process.
void EnsureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 3;
        static char arg0[] = "dspdf";
        static char arg1[] = "-platform";
        static char arg2[] = "offscreen";
        static char* argv[] = {arg0, arg1, arg2, nullptr};
        static QGuiApplication* application = new QGuiApplication(argc, argv);
        (void)application;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw Failure{Text(QT_TRANSLATE_NOOP(
            "dspdf", "The PDF library needs a graphical application; this program has none"))};
}

// The document's metadata stream: the writer has no language of its own, but it takes this packet, in
// which title, creator and language are standard entries.
QByteArray DescriptionPacket(const QString& title, const QString& creator, const QString& language) {
    QString packet =
        QStringLiteral("<?xpacket begin='\uFEFF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
                       "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
                       "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
                       "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'"
                       " xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n");
    if (!title.isEmpty())
        packet += QStringLiteral("<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt>"
                                 "</dc:title>\n")
                      .arg(title.toHtmlEscaped());
    if (!language.isEmpty())
        packet += QStringLiteral("<dc:language><rdf:Bag><rdf:li>%1</rdf:li></rdf:Bag></dc:language>\n")
                      .arg(language.toHtmlEscaped());
    packet += QStringLiteral("<xmp:CreatorTool>%1</xmp:CreatorTool>\n"
                             "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>")
                  .arg(creator.toHtmlEscaped());
    return packet.toUtf8();
}

Document& OpenDocument() {
    if (document == nullptr)
        throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "No PDF document has been started"))};
    if (!document->failure.empty())
        throw Failure{document->failure};
    return *document;
}

// Creates the current page in the writer with its layout, if not done yet: NewPage and SetPage only
// take note, since a page's size has to be known before the writer starts it.
void OpenPage(Document& doc) {
    if (doc.pageOpen)
        return;
    if (!doc.painter.isActive()) {
        if (!doc.writer->setPageLayout(doc.layout))
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The PDF writer refused the page size"))};
        if (!doc.painter.begin(doc.writer.get()))
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The PDF writer could not start the document"))};
    } else {
        if (!doc.writer->setPageLayout(doc.layout))
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The PDF writer refused the page size"))};
        if (!doc.writer->newPage())
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The PDF writer could not start a new page"))};
    }
    doc.pageOpen = true;
}

QPageLayout LayoutOf(int paperCode, int orientation, int width, int height) {
    if (orientation != 0 && orientation != 1)
        throw Failure{
            Text(QT_TRANSLATE_NOOP("dspdf", "Unknown page orientation %1"), {std::to_string(orientation)})};
    if (width == 0 && height == 0) {
        for (const PaperCode& paper : kPaperCodes)
            if (paper.code == paperCode) {
                width = orientation == 1 ? paper.height : paper.width;
                height = orientation == 1 ? paper.width : paper.height;
            }
        if (width == 0)
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "Unknown paper code %1 without a page size"),
                               {std::to_string(paperCode)})};
    }
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        throw Failure{
            Text(QT_TRANSLATE_NOOP("dspdf", "Page size out of range: %1 x %2 hundredths of a millimetre"),
                 {std::to_string(width), std::to_string(height)})};
    // The page is as wide and high as given; a standard size keeps its name when it matches exactly.
    const QSizeF portrait(std::min(width, height) / 100.0, std::max(width, height) / 100.0);
    const QPageSize size(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return {size, width > height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()};
}

std::string PageNumber(const Document& doc) {
    return std::to_string(doc.pageNumber);
}

void DrawPage(Document& doc, QByteArrayView bytes) {
    // Qt replays whatever it is given; only bytes that pass the check reach it.
    const pagecheck::TPageCheck check = pagecheck::CheckPage(bytes);
    if (!check.ok)
        throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The bytes of page %1 are not a recorded page: %2"),
                           {PageNumber(doc), check.reason})};
    const qint64 width = check.bounds.width();
    const qint64 height = check.bounds.height();
    OpenPage(doc);
    if (width <= 0 || height <= 0)
        return; // a blank page
    QPainter& painter = doc.painter;
    QPdfWriter& writer = *doc.writer;
    // Replaying rescales by the writer's resolution over the picture's by itself; the page is already
    // measured in the writer's pixels, so that factor is divided back out.
    const QPicture resolution; // a picture's resolution, whatever it holds
    painter.save();
    painter.resetTransform();
    painter.setClipping(false);
    painter.scale(qreal(writer.width()) / qreal(width) * resolution.logicalDpiX() / writer.logicalDpiX(),
                  qreal(writer.height()) / qreal(height) * resolution.logicalDpiY() / writer.logicalDpiY());
    bool played = false;
    switch (doc.replay.Play(bytes, painter)) {
    case pagecheck::TPageReplay::TResult::Played:
        played = true;
        break;
    case pagecheck::TPageReplay::TResult::Declined: {
        QPicture picture;
        picture.setData(bytes.data(), uint(bytes.size()));
        played = picture.play(&painter);
        break;
    }
    case pagecheck::TPageReplay::TResult::Damaged:
        break;
    }
    painter.restore();
    if (!played)
        throw Failure{
            Text(QT_TRANSLATE_NOOP("dspdf", "Page %1 could not be replayed: its records are damaged"),
                 {PageNumber(doc)})};
}

// Reads a page file: a regular file only (a FIFO or a device would block or never end), opened without
// waiting, no larger than a page can be, read in one bounded read.
QByteArray ReadPageFile(const char* fileName) {
    const std::string name = fileName != nullptr ? fileName : "";
    const auto failure = [&](const std::string& why) {
        return Failure{Text(QT_TRANSLATE_NOOP("dspdf", "Cannot read the page file %1: %2"), {name, why})};
    };
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw failure(std::strerror(errno));
    const std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* held) {
        ::close(*held);
        delete held;
    });
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        throw failure("not a regular file");
    if (info.st_size > pagecheck::kMaxPageBytes)
        throw failure("larger than " + std::to_string(pagecheck::kMaxPageBytes) + " bytes");
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw failure(std::strerror(errno));
        if (got == 0)
            break; // the file shrank: the check refuses what is left
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

// Runs an entry point's body: a failure is kept for LastError() and, inside a document, spoils it, so
// that EndDoc refuses to save a document with a page missing. No exception crosses the C interface.
template <class Body> int Guarded(Body body) {
    try {
        body();
        return 0;
    } catch (const Failure& failure) {
        lastError = failure.message;
    } catch (const std::bad_alloc&) {
        lastError = Text(QT_TRANSLATE_NOOP("dspdf", "Out of memory while writing the PDF file"));
    } catch (const std::exception& error) {
        lastError = error.what();
    } catch (...) {
        lastError = Text(QT_TRANSLATE_NOOP("dspdf", "Unknown failure in the PDF library"));
    }
    if (document != nullptr && document->failure.empty())
        document->failure = lastError;
    return 1;
}

} // namespace

extern "C" {

int BeginDoc(const char* fileName) {
    if (document != nullptr) {
        lastError = Text(QT_TRANSLATE_NOOP("dspdf", "A PDF document is already open"));
        return 1; // the open document stays as it is
    }
    lastError.clear();
    return Guarded([&] {
        if (fileName == nullptr || *fileName == '\0')
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "No file name for the PDF document"))};
        EnsureApplication();
        const QString target = QString::fromUtf8(fileName);
        auto doc = std::make_unique<Document>(target);
        // The writer fills a temporary file beside the target, which replaces the target only at the
        // end, and only when everything has been written.
        doc->file.setDirectWriteFallback(false);
        if (!doc->file.open(QIODevice::WriteOnly))
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "Cannot create the PDF file %1: %2"),
                               {target.toStdString(), doc->file.errorString().toStdString()})};
        doc->writer = std::make_unique<QPdfWriter>(&doc->file);
        doc->writer->setCreator(QStringLiteral("Varnok Handvise"));
        doc->writer->setResolution(1200);
        document = doc.release();
    });
}

int EndDoc(void) {
    if (document == nullptr) {
        lastError = Text(QT_TRANSLATE_NOOP("dspdf", "No PDF document has been started"));
        return 1;
    }
    const std::unique_ptr<Document> doc(document);
    const int result = Guarded([&] {
        if (!doc->failure.empty())
            throw Failure{doc->failure};
        OpenPage(*doc); // a document has at least one page, blank if nothing was drawn
        if (!doc->painter.end())
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The PDF writer could not finish the document"))};
        doc->writer.reset();
        if (!doc->file.commit())
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "Cannot write the PDF file %1: %2"),
                               {doc->file.fileName().toStdString(), doc->file.errorString().toStdString()})};
    });
    document = nullptr;
    if (result != 0) {
        // Nothing of a failed document may reach the disk: drop the painter's output and the file.
        if (doc->painter.isActive())
            doc->painter.end();
        doc->writer.reset();
        doc->file.cancelWriting(); // the temporary file goes with the uncommitted save file
    }
    return result;
}

int NewPage(void) {
    return Guarded([] {
        Document& doc = OpenDocument();
        OpenPage(doc); // the page being left exists even if it was never drawn on
        doc.pageOpen = false;
        ++doc.pageNumber;
    });
}

int SetPage(int paperCode, int orientation, int width, int height) {
    return Guarded([&] {
        Document& doc = OpenDocument();
        const QPageLayout layout = LayoutOf(paperCode, orientation, width, height);
        if (doc.pageOpen)
            throw Failure{
                Text(QT_TRANSLATE_NOOP("dspdf", "The page size must be set before the page is drawn on"))};
        doc.layout = layout;
    });
}

int PrintPageM(const void* bytes, int count) {
    return Guarded([&] {
        Document& doc = OpenDocument();
        if (bytes == nullptr || count <= 0)
            throw Failure{Text(QT_TRANSLATE_NOOP("dspdf", "The page's bytes are not a recorded page"))};
        DrawPage(doc, QByteArrayView(static_cast<const char*>(bytes), count));
    });
}

int PrintPageF(const char* fileName) {
    return Guarded([&] {
        Document& doc = OpenDocument();
        DrawPage(doc, ReadPageFile(fileName));
    });
}

int SetDocInfo(const char* title, const char* language) {
    return Guarded([&] {
        Document& doc = OpenDocument();
        // The writer takes its description when it starts the document, with the first page.
        if (doc.pageOpen || doc.pageNumber > 1)
            throw Failure{Text(QT_TRANSLATE_NOOP(
                "dspdf", "The document's title must be set before its first page is drawn on"))};
        const QString titleText = QString::fromUtf8(title != nullptr ? title : "");
        const QString languageText = QString::fromUtf8(language != nullptr ? language : "");
        doc.writer->setTitle(titleText);
        doc.writer->setDocumentXmpMetadata(DescriptionPacket(titleText, doc.writer->creator(), languageText));
    });
}

const char* LastError(void) {
    return lastError.c_str();
}

} // extern "C"
