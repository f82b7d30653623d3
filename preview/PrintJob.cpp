#include "preview/PrintJob.h"

#include "preview/CupsLibrary.h"
#include "preview/ErrorMessage.h"
#include "preview/Errors.h"
#include "preview/Printer.h"

#include <QDir>
#include <QPrintEngine>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace preview {

namespace {

std::string ErrorText(int error) {
    return std::generic_category().message(error);
}

std::string Quoted(const QString& text) {
    // Built up from a std::string: g++ 12 warns falsely (-Wrestrict) on "literal" + std::string&&.
    std::string quoted(1, '"');
    quoted += text.toStdString();
    quoted += '"';
    return quoted;
}

// A size as CUPS names a custom one: portrait width by height in millimetres.
std::string CustomMedia(const QPageSize& size) {
    QSizeF millimetres = size.size(QPageSize::Millimeter);
    if (millimetres.width() > millimetres.height())
        millimetres.transpose();
    const auto number = [](qreal value) {
        return QString::number(qRound(value * 100) / 100.0);
    };
    return ("Custom." + number(millimetres.width()) + "x" + number(millimetres.height()) + "mm")
        .toStdString();
}

// Reads up to `count` bytes at `offset` of the file, again when interrupted; fewer only at its end.
ssize_t ReadAt(int handle, char* buffer, size_t count, off_t offset) {
    for (;;) {
        const ssize_t done = ::pread(handle, buffer, count, offset);
        if (done >= 0 || errno != EINTR)
            return done;
    }
}

// The job's bytes in pieces, from the first to the last; `write` takes each piece and says whether
// it went. Raises EPrintError when the file cannot be read.
template <class Write> bool ForEachPiece(int handle, Write&& write) {
    constexpr size_t PieceSize = 64 * 1024;
    auto piece = std::make_unique<char[]>(PieceSize);
    for (off_t offset = 0;;) {
        const ssize_t done = ReadAt(handle, piece.get(), PieceSize, offset);
        if (done < 0)
            throw EPrintError(
                Message(QT_TRANSLATE_NOOP("preview", "Cannot read the print job's temporary file: %1"),
                        {ErrorText(errno)}));
        if (done == 0)
            return true;
        if (!write(piece.get(), static_cast<size_t>(done)))
            return false;
        offset += done;
    }
}

struct TDestDeleter {
    void operator()(cups_dest_t* dest) const { Cups().cupsFreeDests(1, dest); }
};

struct THttpCloser {
    void operator()(http_t* http) const { Cups().httpClose(http); }
};

// Options for cupsCreateJob, freed with the object.
class TCupsOptionArray {
public:
    TCupsOptionArray() = default;
    ~TCupsOptionArray() { Cups().cupsFreeOptions(count_, options_); }
    TCupsOptionArray(const TCupsOptionArray&) = delete;
    TCupsOptionArray& operator=(const TCupsOptionArray&) = delete;
    // Adds the option unless one of that name is there already.
    void AddMissing(const char* name, const char* value) {
        if (Cups().cupsGetOption(name, count_, options_) == nullptr)
            count_ = Cups().cupsAddOption(name, value, count_, &options_);
    }
    int Count() const { return count_; }
    cups_option_t* Options() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

// Why the queue at `uri` is in its state, as its administrator or its backend put it; empty when
// it gives no reason.
std::string StateMessage(http_t* http, const char* uri) {
    if (uri == nullptr)
        return {};
    const TCupsLibrary& cups = Cups();
    ipp_t* request = cups.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                      "printer-state-message");
    ipp_t* response = cups.cupsDoRequest(http, request, "/");
    const char* message =
        cups.ippGetString(cups.ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    std::string text = message != nullptr ? message : "";
    cups.ippDelete(response);
    return text;
}

} // namespace

TPrintJobChoices ChoicesOf(const QPrinter& printer) {
    // Qt's print dialog keeps its CUPS options in this print engine property (Qt's private
    // PPK_CupsOptions); Qt's own CUPS engine sends them with the job, so do we.
    constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    return {printer.copyCount(),  printer.collateCopies(),
            printer.duplex(),     printer.colorMode(),
            printer.pageLayout(), printer.printEngine()->property(CupsOptionsKey).toStringList()};
}

TCupsOptions CupsJobOptions(const TPrintJobChoices& choices) {
    TCupsOptions options;
    const int copies = std::max(choices.copies, 1);
    options.emplace_back("copies", std::to_string(copies));
    if (copies > 1)
        options.emplace_back("multiple-document-handling", choices.collate
                                                               ? "separate-documents-collated-copies"
                                                               : "separate-documents-uncollated-copies");
    const bool landscape = choices.layout.orientation() == QPageLayout::Landscape;
    switch (choices.duplex) {
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        // Bound at the sheet's long side as it is read: a landscape sheet turns over its short edge.
        options.emplace_back("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge");
        break;
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    }
    const QPageSize size = choices.layout.pageSize();
    if (size.isValid()) {
        // Qt names a known size and a printer's own size the way the printer's driver does.
        const QString key = size.key();
        const bool custom = size.id() == QPageSize::Custom && (key.isEmpty() || key.startsWith("Custom."));
        options.emplace_back("media", custom ? CustomMedia(size) : key.toStdString());
    }
    if (choices.colorMode == QPrinter::GrayScale)
        options.emplace_back("print-color-mode", "monochrome");
    // A page range among them is the dialog's own, set only when every page is drawn.
    for (qsizetype i = 0; i + 1 < choices.dialogOptions.size(); i += 2) {
        const std::string name = choices.dialogOptions[i].toStdString();
        if (std::none_of(options.begin(), options.end(),
                         [&](const auto& option) { return option.first == name; }))
            options.emplace_back(name, choices.dialogOptions[i + 1].toStdString());
    }
    return options;
}

// ---- the job's file

TPrintJobFile::TPrintJobFile() {
    // tempPath() is empty when TMPDIR names a folder that does not exist.
    QStringList folders{QDir::tempPath(), QStringLiteral("/tmp")};
    folders.removeAll(QString());
    std::string failure;
    for (const QString& folder : folders) {
        QByteArray name = QFile::encodeName(folder + QStringLiteral("/handvise-print-XXXXXX"));
        // Close-on-exec: a program started meanwhile must not keep the file alive.
        const int handle = ::mkostemp(name.data(), O_CLOEXEC);
        if (handle < 0) {
            failure = Message(
                QT_TRANSLATE_NOOP("preview", "Cannot create the print job's temporary file in %1: %2"),
                {Quoted(folder), ErrorText(errno)});
            continue;
        }
        ::unlink(name.constData());
        if (file_.open(handle, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle))
            return;
        ::close(handle);
        failure = Message(QT_TRANSLATE_NOOP("preview", "Cannot open the print job's temporary file: %1"),
                          {file_.errorString().toStdString()});
    }
    throw EPrintError(failure);
}

int TPrintJobFile::Finished() {
    if (!file_.flush())
        throw EPrintError(
            Message(QT_TRANSLATE_NOOP("preview", "Cannot write the print job's temporary file: %1"),
                    {file_.errorString().toStdString()}));
    return file_.handle();
}

void TPrintJobFile::CopyTo(const QString& fileName) {
    const int handle = Finished();
    QSaveFile target(fileName);
    const auto failed = [&] {
        return EPrintError(Message(QT_TRANSLATE_NOOP("preview", "Cannot write the file %1: %2"),
                                   {Quoted(fileName), target.errorString().toStdString()}));
    };
    if (!target.open(QIODevice::WriteOnly))
        throw failed();
    ForEachPiece(handle, [&](const char* bytes, size_t count) {
        return target.write(bytes, static_cast<qint64>(count)) == static_cast<qint64>(count);
    });
    if (!target.commit())
        throw failed();
}

// ---- the hand-over to CUPS

void SubmitPdfToCups(const QString& destination, const QString& title, int handle,
                     const TCupsOptions& options) {
    const TCupsLibrary& cups = Cups();
    const QByteArray queue = destination.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = destination.section(QLatin1Char('/'), 1).toUtf8();
    // The subject of the messages below: the named queue, or the default printer.
    std::string shown;
    if (destination.isEmpty())
        //: the subject of "%1 is not available: %2", "%1 is stopped" and the like
        shown = Message(QT_TRANSLATE_NOOP("preview", "The default printer"));
    else
        //: the subject of "%1 is not available: %2", "%1 is stopped" and the like; %1 is the queue's name
        shown = Message(QT_TRANSLATE_NOOP("preview", "The printer %1"), {Quoted(destination)});
    // `what` has the printer for %1 and the print server's reason for %2.
    const auto failure = [&](const char* what) {
        return EPrintError(Message(what, {shown, cups.cupsLastErrorString()}));
    };

    // A connection of the job's own, closed when it is handed over: nothing stays open between jobs.
    const std::unique_ptr<http_t, THttpCloser> connection(cups.httpConnect2(
        cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC, cups.cupsEncryption(), 1, 30000, nullptr));
    if (connection == nullptr)
        throw EPrintError(Message(QT_TRANSLATE_NOOP("preview", "The print server %1 does not answer"),
                                  {cups.cupsServer()}));
    http_t* http = connection.get();
    const std::unique_ptr<cups_dest_t, TDestDeleter> dest(
        cups.cupsGetNamedDest(http, queue.isEmpty() ? nullptr : queue.constData(),
                              instance.isEmpty() ? nullptr : instance.constData()));
    if (dest == nullptr)
        throw failure(QT_TRANSLATE_NOOP("preview", "%1 is not available: %2"));
    // A stopped queue would keep the job until someone starts it again; the user is told instead.
    const char* state = cups.cupsGetOption("printer-state", dest->num_options, dest->options);
    if (state != nullptr && std::atoi(state) == IPP_PSTATE_STOPPED) {
        const std::string reason =
            StateMessage(http, cups.cupsGetOption("printer-uri-supported", dest->num_options, dest->options));
        throw EPrintError(reason.empty()
                              ? Message(QT_TRANSLATE_NOOP("preview", "%1 is stopped"), {shown})
                              : Message(QT_TRANSLATE_NOOP("preview", "%1 is stopped: %2"), {shown, reason}));
    }

    // The user's choices first, then the defaults saved for the queue (lpoptions), as lp does.
    TCupsOptionArray jobOptions;
    for (const auto& [name, value] : options)
        jobOptions.AddMissing(name.c_str(), value.c_str());
    for (int i = 0; i < dest->num_options; ++i)
        jobOptions.AddMissing(dest->options[i].name, dest->options[i].value);

    const QByteArray name = title.toUtf8();
    const int job =
        cups.cupsCreateJob(http, dest->name, name.constData(), jobOptions.Count(), jobOptions.Options());
    if (job == 0)
        throw failure(QT_TRANSLATE_NOOP("preview", "%1 did not take the print job: %2"));
    bool sent = false;
    try {
        sent = cups.cupsStartDocument(http, dest->name, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
                   HTTP_STATUS_CONTINUE &&
               ForEachPiece(handle, [&cups, http](const char* bytes, size_t count) {
                   return cups.cupsWriteRequestData(http, bytes, count) == HTTP_STATUS_CONTINUE;
               });
    } catch (...) {
        cups.cupsFinishDocument(http, dest->name);
        cups.cupsCancelJob2(http, dest->name, job, 0);
        throw;
    }
    const ipp_status_t finished = cups.cupsFinishDocument(http, dest->name);
    if (!sent || finished > IPP_STATUS_OK_CONFLICTING) {
        const EPrintError error = failure(QT_TRANSLATE_NOOP("preview", "%1 did not take the print job: %2"));
        // Half a document must not print.
        cups.cupsCancelJob2(http, dest->name, job, 0);
        throw error;
    }
}

} // namespace preview
