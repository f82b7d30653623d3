// A print job handed over whole once it is complete: the private file its pages are drawn into, the
// CUPS options that carry the print dialog's choices, and the hand-over to a CUPS queue.
#pragma once

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace preview {

// What the user chose for a job in the print dialog, as the QPrinter holds it.
struct TPrintJobChoices {
    int copies = 1;
    bool collate = true;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    QPageLayout layout;
    // The dialog's further CUPS options as name, value, name, value...: pages per sheet, odd or even
    // pages, holding the job, the printer's own features.
    QStringList dialogOptions;
};

TPrintJobChoices ChoicesOf(const QPrinter& printer);

using TCupsOptions = std::vector<std::pair<std::string, std::string>>;

// The CUPS job options for the choices: copies, collation, sides, media and gray, then the dialog's
// further options. The document holds the pages drawn, each laid out as it prints, so neither the
// range drawn nor the orientation is passed.
TCupsOptions CupsJobOptions(const TPrintJobChoices& choices);

// The file a job's PDF is drawn into: created in the user's temporary folder (in /tmp when that folder
// is missing or refuses it), readable by this user alone, and unlinked at once, so that it goes with
// its handle, also after a crash. Raises EPrintError when no such file can be made.
class TPrintJobFile {
public:
    TPrintJobFile();
    TPrintJobFile(const TPrintJobFile&) = delete;
    TPrintJobFile& operator=(const TPrintJobFile&) = delete;

    QIODevice& Device() { return file_; }
    // Writes out what is buffered and gives the handle to read the job from; EPrintError on failure.
    int Finished();
    // Copies the finished job to `fileName`, which is replaced only once the copy is complete.
    void CopyTo(const QString& fileName);

private:
    QFile file_;
};

// Sends the finished PDF read from `handle` as one job titled `title` to the CUPS queue `destination`
// ("queue" or "queue/instance"; empty for the default queue). Raises EPrintError with CUPS's reason
// when the queue is unknown, stopped or refuses the job; a job that was started is cancelled then.
void SubmitPdfToCups(const QString& destination, const QString& title, int handle,
                     const TCupsOptions& options);

} // namespace preview
