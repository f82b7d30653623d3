#include "preview/PdfLibrary.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

#include <exception>

namespace preview {

EMissingPDFLibrary::EMissingPDFLibrary()
    : std::runtime_error(Message(QT_TRANSLATE_NOOP("preview", "Cannot locate libdspdf.so"))) {}

TPdfLibrary& TPdfLibrary::Instance() {
    // Never destroyed: a static destructor would unload the library after the application object,
    // while Qt objects the library created may still be alive.
    static auto* instance = new TPdfLibrary;
    return *instance;
}

bool SearchPathIsAbsolute(const QByteArray& searchPath) {
    if (searchPath.isEmpty())
        return true;
    // The loader splits the path at colons and semicolons.
    QByteArray entry;
    for (qsizetype i = 0; i <= searchPath.size(); ++i) {
        const char c = i < searchPath.size() ? searchPath[i] : ':';
        if (c != ':' && c != ';') {
            entry += c;
            continue;
        }
        if (!entry.startsWith('/'))
            return false;
        entry.clear();
    }
    return true;
}

namespace {
// The folder of the file this code runs from: the preview library, or the program when the component is
// linked into it (the loader then reports the program's name as started, which may be relative).
QString ComponentFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ComponentFolder), &info) != 0 && info.dli_fname != nullptr &&
        info.dli_fname[0] == '/')
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QCoreApplication::applicationDirPath();
}
} // namespace

QStringList TPdfLibrary::Candidates() {
    // QLibrary with a bare name goes through dlopen, which does not search the program's folder. Installed,
    // the PDF library lies in the suite's private folder, found relative to the preview library, so that
    // any program linking the library finds it, wherever the program lies.
    QStringList candidates{QCoreApplication::applicationDirPath() + QStringLiteral("/libdspdf.so"),
                           QDir::cleanPath(ComponentFolder() +
                                           QStringLiteral("/" HANDVISE_PRIVATE_LIB_FROM_LIB "/libdspdf.so"))};
    // The bare name is looked up only where the search cannot reach the working folder: dlopen runs a
    // library's initialisers before the program could reject where it came from.
    if (SearchPathIsAbsolute(qgetenv("LD_LIBRARY_PATH")))
        candidates << QStringLiteral("dspdf");
    return candidates;
}

bool TPdfLibrary::Load() {
    if (Loaded())
        return true;
    for (const QString& candidate : Candidates())
        if (LoadFile(candidate))
            return true;
    return false;
}

bool TPdfLibrary::LoadFile(const QString& fileName) {
    if (Loaded())
        return true;
    library_.setFileName(fileName);
    if (!library_.load())
        return false;
    const auto resolve = [this](const char* name) {
        return library_.resolve(name);
    };
    BeginDoc = reinterpret_cast<TBeginDoc>(resolve("BeginDoc"));
    EndDoc = reinterpret_cast<TEndDoc>(resolve("EndDoc"));
    NewPage = reinterpret_cast<TNewPage>(resolve("NewPage"));
    SetPage = reinterpret_cast<TSetPage>(resolve("SetPage"));
    PrintPageM = reinterpret_cast<TPrintPageM>(resolve("PrintPageM"));
    PrintPageF = reinterpret_cast<TPrintPageF>(resolve("PrintPageF"));
    LastError = reinterpret_cast<TLastError>(resolve("LastError"));
    SetDocInfo = reinterpret_cast<TSetDocInfo>(resolve("SetDocInfo"));

    // Where the system search really found it: an empty entry in LD_LIBRARY_PATH, or ".", means the
    // working directory, and the loader then reports a relative path. A library from there is not one
    // the program shipped or the system installed.
    QString found;
    Dl_info info{};
    if (BeginDoc != nullptr && dladdr(reinterpret_cast<void*>(BeginDoc), &info) != 0 &&
        info.dli_fname != nullptr)
        found = QString::fromLocal8Bit(info.dli_fname);
    const QFileInfo where(found);
    const bool fromWorkingDirectory = found.isEmpty() || where.isRelative();
    const bool complete = BeginDoc != nullptr && EndDoc != nullptr && NewPage != nullptr &&
                          SetPage != nullptr && PrintPageM != nullptr && PrintPageF != nullptr &&
                          LastError != nullptr;
    if (!complete || fromWorkingDirectory) {
        Clear();
        library_.unload();
        return false;
    }
    fileName_ = where.absoluteFilePath();
    return true;
}

void TPdfLibrary::Clear() {
    BeginDoc = nullptr;
    EndDoc = nullptr;
    NewPage = nullptr;
    SetPage = nullptr;
    PrintPageM = nullptr;
    PrintPageF = nullptr;
    LastError = nullptr;
    SetDocInfo = nullptr;
    fileName_.clear();
}

std::string TPdfLibrary::LastErrorText(const std::string& fallback) const {
    const char* message = LastError != nullptr ? LastError() : nullptr;
    return message != nullptr && *message != '\0' ? std::string(message) : fallback;
}

void TPdfLibrary::SaveDocument(const QString& fileName, int pageCount, const TPdfPaper& paper,
                               const std::function<QByteArray(int page)>& pageBytes,
                               const TPdfDocInfo& info) const {
    if (!Loaded())
        throw EMissingPDFLibrary();
    // The first failure's message is taken at once: EndDoc, which must still run, may replace it.
    std::string failure;
    const auto check = [&](int result, const char* entry) {
        if (result != 0 && failure.empty())
            failure =
                LastErrorText(Message(QT_TRANSLATE_NOOP("preview", "The PDF library failed in %1"), {entry}));
        return result == 0;
    };
    if (!check(BeginDoc(fileName.toUtf8().constData()), "BeginDoc"))
        throw EPdfError(failure); // no document was started, so there is none to end
    try {
        const bool describe = SetDocInfo != nullptr && !(info.Title.isEmpty() && info.Language.isEmpty());
        if (describe &&
            !check(SetDocInfo(info.Title.toUtf8().constData(), info.Language.toUtf8().constData()),
                   "SetDocInfo"))
            pageCount = 0;
        QByteArray bytes; // reused for every page
        for (int page = 1; page <= pageCount; ++page) {
            bytes = pageBytes(page);
            if (page > 1 && !check(NewPage(), "NewPage"))
                break;
            if (!check(SetPage(paper.PaperCode, paper.Orientation, paper.Width, paper.Height), "SetPage"))
                break;
            if (!check(PrintPageM(bytes.constData(), static_cast<int>(bytes.size())), "PrintPageM"))
                break;
        }
    } catch (...) {
        EndDoc();
        throw;
    }
    check(EndDoc(), "EndDoc");
    if (!failure.empty())
        throw EPdfError(failure);
}

} // namespace preview
