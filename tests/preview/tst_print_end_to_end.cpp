// The preview control's printing and PDF export end to end: a routine-like document printed through
// the system printer to the CUPS-PDF queue "PDF" (scripts/cups-test-printer.sh starts it) and saved
// through the real PDF library beside the test program, both read back with poppler's tools; an
// aborted job that prints nothing, and queues of the test's own stopped or deleted during a job.
#include "preview/Preview.h"
#include "tests/support/PdfTools.h"

#include <QDir>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace preview;
using namespace testsupport;

class TestPrintEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aPrintedDocumentArrivesWithItsPagesAndPaper_data();
    void aPrintedDocumentArrivesWithItsPagesAndPaper();
    void aDirectDocumentArrivesAsDrawn();
    void anAbortedJobPrintsNothing();
    void aQueueThatGoesAwayDuringAJobIsReported_data();
    void aQueueThatGoesAwayDuringAJobIsReported();
    void aSavedPdfHasThePagesPaperAndTexts_data();
    void aSavedPdfHasThePagesPaperAndTexts();

private:
    QTemporaryDir dir_;
};

namespace {

bool Near(QSizeF actual, QSizeF expected) {
    return qAbs(actual.width() - expected.width()) < 1.5 && qAbs(actual.height() - expected.height()) < 1.5;
}

// A routine sheet's look: a title, a table of weeks and sets with texts, lines and a shaded head.
void RecordRoutine(TPrintPreview& preview, int pages) {
    preview.BeginDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            preview.NewPage();
        TCanvas& canvas = *preview.Canvas();
        QPainter& painter = canvas.Painter();
        const int width = preview.PaperWidth();
        const int margin = width / 10;
        canvas.SetFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
        painter.drawText(margin, margin, QStringLiteral("Training Cycle"));
        canvas.SetFont(QFont(QStringLiteral("Arial"), 10));
        const int row = preview.PaperHeight() / 20;
        const int column = (width - 2 * margin) / 6;
        painter.fillRect(margin, 2 * margin, width - 2 * margin, row, QColor(70, 110, 200));
        for (int week = 0; week <= 8; ++week) {
            const int y = 2 * margin + week * row;
            painter.drawLine(margin, y, width - margin, y);
            if (week > 0)
                painter.drawText(margin + 100, y + row * 2 / 3,
                                 QStringLiteral("Week %1").arg(week + (page - 1) * 8));
            for (int set = 1; set <= 5 && week > 0; ++set)
                painter.drawText(margin + set * column + 100, y + row * 2 / 3,
                                 QStringLiteral("%1 lb x %2").arg(100 + 10 * week + set).arg(8 - set / 2));
        }
        painter.drawRect(margin, 2 * margin, width - 2 * margin, 9 * row);
    }
    preview.EndDoc();
}

// This run's printed file: its title holds the token.
PrintedPdf WaitForPrintedFile(const QString& token) {
    return WaitForPrintedPdf("*" + token + "*.pdf");
}

// A name of its own for a job or queue, so that this run's files and queues are told apart.
QString Token(const QString& kind) {
    return QStringLiteral("handvise-%1-%2")
        .arg(kind)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
}

// Why the CUPS-PDF queue cannot be printed to and read back here; empty when it can.
QString WhyNotPrintable() {
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
        return QStringLiteral(
            "no CUPS server with the queue PDF answers (scripts/cups-test-printer.sh start sets one up)");
    if (!HaveTools({"pdfinfo"}))
        return QStringLiteral(
            "pdfinfo is not installed (poppler-utils; scripts/install-deps.sh installs it)");
    return {};
}

QPrinter& QtPrinterOf(TPrintPreview& preview) {
    return dynamic_cast<TSystemPrinter&>(preview.Printer()).QtPrinter();
}

// A CUPS-PDF queue of the test's own, named for this run and deleted with the object; one left by a
// crashed run carries its process id, by which scripts/cups-test-printer.sh removes it.
class ThrowawayQueue {
public:
    ThrowawayQueue()
        : name_(Token(QStringLiteral("throwaway-%1").arg(QCoreApplication::applicationPid()))) {
        created_ = RunSucceeds(
            "lpadmin", {"-p", name_, "-E", "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
    }
    ~ThrowawayQueue() {
        if (created_)
            RunSucceeds("lpadmin", {"-x", name_});
    }
    ThrowawayQueue(const ThrowawayQueue&) = delete;
    ThrowawayQueue& operator=(const ThrowawayQueue&) = delete;
    bool Created() const { return created_; }
    const QString& Name() const { return name_; }

private:
    QString name_;
    bool created_ = false;
};

// Keeps a copy of an output file for looking at, when HANDVISE_KEEP_OUTPUT names a folder.
void Keep(const QString& file, const QString& name) {
    const QString folder = qEnvironmentVariable("HANDVISE_KEEP_OUTPUT");
    if (!folder.isEmpty()) {
        QFile::remove(folder + "/" + name);
        QFile::copy(file, folder + "/" + name);
    }
}

} // namespace

void TestPrintEndToEnd::initTestCase() {
    QVERIFY(dir_.isValid());
}

void TestPrintEndToEnd::aPrintedDocumentArrivesWithItsPagesAndPaper_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("gray");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("points");             // portrait
    QTest::addColumn<QStringList>("dialogOptions"); // further CUPS options chosen in the print dialog
    QTest::addColumn<int>("sheets");
    QTest::newRow("A4, two pages") << int(pA4) << false << false << 2 << QSizeF(595.28, 841.89)
                                   << QStringList() << 2;
    QTest::newRow("Letter landscape in gray")
        << int(pLetter) << true << true << 1 << QSizeF(612, 792) << QStringList() << 1;
    QTest::newRow("A4, two pages on a sheet")
        << int(pA4) << false << false << 2 << QSizeF(595.28, 841.89) << QStringList{"number-up", "2"} << 1;
}

void TestPrintEndToEnd::aPrintedDocumentArrivesWithItsPagesAndPaper() {
    QFETCH(int, type);
    QFETCH(bool, landscape);
    QFETCH(bool, gray);
    QFETCH(int, pages);
    QFETCH(QSizeF, points);
    QFETCH(QStringList, dialogOptions);
    QFETCH(int, sheets);
    if (const QString why = WhyNotPrintable(); !why.isEmpty())
        QSKIP(qPrintable(why));

    TPrintPreview preview;
    QtPrinterOf(preview).setPrinterName(QStringLiteral("PDF"));
    // Where Qt's print dialog leaves its CUPS options.
    QtPrinterOf(preview).printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00),
                                                    dialogOptions);
    QVERIFY(preview.PrinterInstalled());
    preview.SetPaperType(TPaperType(type));
    preview.SetOrientation(landscape ? poLandscape : poPortrait);
    preview.SetGrayscale(gray ? TGrayscaleOptions(gsPrint) : TGrayscaleOptions());
    RecordRoutine(preview, pages);
    // A title of its own, so that this job's file is told apart from other jobs' files.
    const QString token = Token("print");
    preview.SetPrintJobTitle(token);
    QSignalSpy after(&preview, &TPrintPreview::OnAfterPrint);
    preview.Print();
    QCOMPARE(after.size(), 1);
    QVERIFY(!preview.Aborted());

    const auto [file, info] = WaitForPrintedFile(token);
    QVERIFY2(!file.isEmpty(),
             qPrintable("no file with " + token + " in " + CupsPdfOutputFolders().join(", ")));
    Keep(file, QStringLiteral("printed-%1.pdf").arg(QTest::currentDataTag()).replace(' ', '-'));
    QFile::remove(file);
    QVERIFY2(PdfPageCount(info) == sheets, qPrintable(info));
    // A landscape sheet comes either turned or as a portrait page with a rotation.
    const QSizeF size = PdfPageSize(info);
    QVERIFY2(Near(size, points) || Near(size, points.transposed()), qPrintable(info));
}

void TestPrintEndToEnd::aDirectDocumentArrivesAsDrawn() {
    if (const QString why = WhyNotPrintable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    TPrintPreview preview;
    QtPrinterOf(preview).setPrinterName(QStringLiteral("PDF"));
    preview.SetPaperType(pA5);
    preview.SetDirectPrint(true);
    const QString token = Token("direct");
    preview.SetPrintJobTitle(token);
    RecordRoutine(preview, 3);
    QCOMPARE(preview.State(), TPreviewState::Idle);
    QCOMPARE(preview.TotalPages(), 0); // nothing was recorded

    const auto [file, info] = WaitForPrintedFile(token);
    QVERIFY2(!file.isEmpty(),
             qPrintable("no file with " + token + " in " + CupsPdfOutputFolders().join(", ")));
    Keep(file, QStringLiteral("printed-direct.pdf"));
    QFile::remove(file);
    QVERIFY2(PdfPageCount(info) == 3, qPrintable(info));
    QVERIFY2(Near(PdfPageSize(info), QSizeF(419.53, 595.28)), qPrintable(info));
}

void TestPrintEndToEnd::aSavedPdfHasThePagesPaperAndTexts_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSize>("customSize"); // in mmHiMetric, as it lies
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("points"); // as the page lies
    QTest::newRow("A4, two pages") << int(pA4) << false << QSize() << 2 << QSizeF(595.28, 841.89);
    QTest::newRow("Letter landscape") << int(pLetter) << true << QSize() << 1 << QSizeF(792, 612);
    QTest::newRow("custom 100 x 150 mm")
        << int(pCustom) << false << QSize(10000, 15000) << 1 << QSizeF(283.46, 425.2);
}

void TestPrintEndToEnd::aSavedPdfHasThePagesPaperAndTexts() {
    QFETCH(int, type);
    QFETCH(bool, landscape);
    QFETCH(QSize, customSize);
    QFETCH(int, pages);
    QFETCH(QSizeF, points);
    if (!HaveTools({"pdfinfo", "pdftotext"}))
        QSKIP("pdfinfo or pdftotext is not installed (poppler-utils; scripts/install-deps.sh installs them)");
    TPrintPreview preview;
    QVERIFY2(preview.CanSaveAsPDF(), "libdspdf.so is copied beside the test program");
    preview.SetPaperType(TPaperType(type));
    preview.SetOrientation(landscape ? poLandscape : poPortrait);
    if (customSize.isValid())
        preview.SetPaperSize(customSize.width(), customSize.height());
    // Gray is for the screen and the printer: the PDF keeps the colours.
    preview.SetGrayscale(gsPreview | gsPrint);
    RecordRoutine(preview, pages);
    const QString file = dir_.filePath(QStringLiteral("my routine %1.pdf").arg(QTest::currentDataTag()));
    preview.SaveAsPDF(file);
    QCOMPARE(preview.State(), TPreviewState::Idle);
    Keep(file, QStringLiteral("saved-%1.pdf").arg(QTest::currentDataTag()).replace(' ', '-'));

    const QString info = RunTool("pdfinfo", {file});
    QVERIFY2(PdfPageCount(info) == pages, qPrintable(info));
    QVERIFY2(Near(PdfPageSize(info), points), qPrintable(info));
    const QString text = RunTool("pdftotext", {"-layout", file, "-"});
    QVERIFY2(text.contains("Training Cycle") && text.contains(QStringLiteral("Week %1").arg(pages * 8)) &&
                 text.contains("112 lb x 7"),
             qPrintable(text));
}

void TestPrintEndToEnd::anAbortedJobPrintsNothing() {
    if (const QString why = WhyNotPrintable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    TPrintPreview preview;
    QtPrinterOf(preview).setPrinterName(QStringLiteral("PDF"));
    preview.SetPaperType(pA4);
    RecordRoutine(preview, 3);
    const QString aborted = Token("aborted");
    preview.SetPrintJobTitle(aborted);
    const QMetaObject::Connection abortAfterPageOne =
        connect(&preview, &TPrintPreview::OnPrintProgress, this,
                [](int page, int progress, bool& abortIt) { abortIt = page == 1 && progress > 0; });
    preview.Print();
    QVERIFY(preview.Aborted());
    disconnect(abortAfterPageOne);

    // The queue prints its jobs in turn: once the next job has arrived, an aborted one would have too.
    const QString next = Token("next");
    preview.SetPrintJobTitle(next);
    preview.Print();
    QVERIFY(!preview.Aborted());
    const auto [file, info] = WaitForPrintedFile(next);
    QVERIFY2(!file.isEmpty(),
             qPrintable("no file with " + next + " in " + CupsPdfOutputFolders().join(", ")));
    QFile::remove(file);
    QVERIFY2(PdfPageCount(info) == 3, qPrintable(info));
    QVERIFY2(Near(PdfPageSize(info), QSizeF(595.28, 841.89)), qPrintable(info));
    for (const QString& folder : CupsPdfOutputFolders())
        QVERIFY2(QDir(folder).entryList({"*" + aborted + "*"}, QDir::Files).isEmpty(), qPrintable(folder));
}

void TestPrintEndToEnd::aQueueThatGoesAwayDuringAJobIsReported_data() {
    QTest::addColumn<QStringList>("command"); // run on the queue after page 1; %1 is its name
    QTest::addColumn<QString>("reason");
    QTest::newRow("stopped") << QStringList{"cupsdisable", "-r", "Paper jam", "%1"}
                             << QStringLiteral("is stopped: Paper jam");
    QTest::newRow("refusing jobs") << QStringList{"cupsreject", "%1"}
                                   << QStringLiteral("did not take the print job: ");
    QTest::newRow("deleted") << QStringList{"lpadmin", "-x", "%1"} << QStringLiteral("is not available: ");
}

void TestPrintEndToEnd::aQueueThatGoesAwayDuringAJobIsReported() {
    QFETCH(QStringList, command);
    QFETCH(QString, reason);
    if (const QString why = WhyNotPrintable(); !why.isEmpty())
        QSKIP(qPrintable(why));
    const ThrowawayQueue queue;
    if (!queue.Created())
        QSKIP("cannot add a CUPS queue here (lpadmin needs an administrator)");
    TPrintPreview preview;
    QtPrinterOf(preview).setPrinterName(queue.Name());
    QCOMPARE(QtPrinterOf(preview).printerName(), queue.Name());
    RecordRoutine(preview, 3);
    preview.SetPrintJobTitle(queue.Name());
    for (QString& argument : command)
        argument.replace("%1", queue.Name());
    bool changed = false;
    connect(&preview, &TPrintPreview::OnPrintProgress, this, [&](int page, int progress, bool&) {
        if (page == 1 && progress > 0 && !changed)
            changed = RunSucceeds(command.first(), command.mid(1));
    });
    QSignalSpy after(&preview, &TPrintPreview::OnAfterPrint);
    QString error;
    try {
        preview.Print();
    } catch (const EPrintError& failure) {
        error = QString::fromUtf8(failure.what());
    }
    QVERIFY(changed);
    QVERIFY2(error.startsWith("The printer \"" + queue.Name() + "\" " + reason), qPrintable(error));
    QCOMPARE(after.size(), 1);
    QVERIFY(preview.Aborted());
    QCOMPARE(preview.State(), TPreviewState::Idle);
}

QTEST_MAIN(TestPrintEndToEnd)
#include "tst_print_end_to_end.moc"
