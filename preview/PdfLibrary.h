// The run-time binding to the PDF library libdspdf.so: where it is looked for, its entry points, and
// the call sequence that writes a document's pages to a PDF file through it.
#pragma once

#include "preview/Errors.h"

#include <QByteArray>
#include <QLibrary>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace preview {

// One page's paper as the library takes it: paper code, orientation (0 portrait, 1 landscape) and the
// size as the page lies, in hundredths of a millimetre.
struct TPdfPaper {
    int PaperCode = 0;
    int Orientation = 0;
    int Width = 0;
    int Height = 0;
};

// What the PDF says about itself: its title and its language (a BCP 47 tag); empty ones are left out.
struct TPdfDocInfo {
    QString Title;
    QString Language;
};

// True when every entry of a library search path such as LD_LIBRARY_PATH is an absolute folder (an unset
// or empty path too); an empty or relative entry is read against the working folder.
bool SearchPathIsAbsolute(const QByteArray& searchPath);

class TPdfLibrary {
public:
    using TBeginDoc = int (*)(const char* fileName);
    using TEndDoc = int (*)();
    using TNewPage = int (*)();
    using TSetPage = int (*)(int paperCode, int orientation, int width, int height);
    using TPrintPageM = int (*)(const void* bytes, int count);
    using TPrintPageF = int (*)(const char* fileName);
    using TLastError = const char* (*)();
    using TSetDocInfo = int (*)(const char* title, const char* language);

    TPdfLibrary() = default;
    TPdfLibrary(const TPdfLibrary&) = delete;
    TPdfLibrary& operator=(const TPdfLibrary&) = delete;

    // The program's binding, loaded at the preview's start-up and kept until the program ends.
    static TPdfLibrary& Instance();

    // The program's own folder first, then the suite's installed private library folder (found relative
    // to the preview library), then the system's library search path: never the working directory, from which
    // a planted library would run with the user's rights. The system search is left out while LD_LIBRARY_PATH
    // has an entry that is empty or relative.
    static QStringList Candidates();
    // Tries the candidates in order until one loads with every entry point; true when bound. Does
    // nothing when already bound.
    bool Load();
    // Binds the library at `fileName` (a path, or a bare name for the system search). A library that
    // lacks an entry point, or that was found in the working directory, is released and counts as missing.
    bool LoadFile(const QString& fileName);
    bool Loaded() const { return BeginDoc != nullptr; }
    // The file the binding came from; empty when not loaded.
    QString FileName() const { return fileName_; }

    // The message of the library's last failure, or `fallback` when it gives none.
    std::string LastErrorText(const std::string& fallback) const;

    // Writes `pageCount` pages to `fileName`: BeginDoc, SetDocInfo when the library has it and there is
    // something to say, then for each page NewPage (from the second
    // on), SetPage and PrintPageM with the page's bytes, and EndDoc whatever happened before, once
    // BeginDoc has been called. Raises EMissingPDFLibrary without the library, EPdfError with the
    // library's message for the first failed call, after EndDoc; a failure of `pageBytes` propagates
    // after EndDoc too.
    void SaveDocument(const QString& fileName, int pageCount, const TPdfPaper& paper,
                      const std::function<QByteArray(int page)>& pageBytes,
                      const TPdfDocInfo& info = {}) const;

    TBeginDoc BeginDoc = nullptr;
    TEndDoc EndDoc = nullptr;
    TNewPage NewPage = nullptr;
    TSetPage SetPage = nullptr;
    TPrintPageM PrintPageM = nullptr;
    TPrintPageF PrintPageF = nullptr;
    TLastError LastError = nullptr;
    // Optional: a library without it writes documents without a title.
    TSetDocInfo SetDocInfo = nullptr;

private:
    void Clear();

    QLibrary library_;
    QString fileName_;
};

} // namespace preview
