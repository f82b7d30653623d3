// Reading printed and saved PDF files back in tests: poppler's tools, their pdfinfo output, and the
// folders the CUPS-PDF queue writes to.
#pragma once

#include <QFileInfo>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

namespace testsupport {

// Runs a program and gives its standard output; empty, with `ok` false, when it does not start, fails
// or takes over 30 s.
QString RunTool(const QString& program, const QStringList& arguments, bool* ok = nullptr);
// Whether the program runs and succeeds.
bool RunSucceeds(const QString& program, const QStringList& arguments);
// Whether every one of the programs is on the search path.
bool HaveTools(const QStringList& programs);

// The page size pdfinfo reports in points: of page `page` when pdfinfo was given a page range, else the
// one it reports for the document; empty when missing.
QSizeF PdfPageSize(const QString& info, int page = 0);
// The page count pdfinfo reports; -1 when missing.
int PdfPageCount(const QString& info);

// Where CUPS-PDF writes: ~/PDF of the user who prints, as the user database names the home folder, and
// its folder for anonymous jobs.
QStringList CupsPdfOutputFolders();

struct PrintedPdf {
    QString file; // empty when no file came
    QString info; // pdfinfo's output; empty when the file never read to the end
};
// Waits up to a minute for a file in CUPS-PDF's folders that matches `nameFilter` and that `accept`
// takes, then until pdfinfo reads all of it (CUPS-PDF writes the file in place).
PrintedPdf WaitForPrintedPdf(const QString& nameFilter,
                             const std::function<bool(const QFileInfo&)>& accept = nullptr);

} // namespace testsupport
