// Print jobs handed over whole, without a print server: the CUPS options built from the print
// dialog's choices, the job's private file, and a job printed to a file, complete or aborted.
#include "preview/PrintJob.h"
#include "preview/Printer.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace preview;

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    void theOptionsCarryTheDialogsChoices_data();
    void theOptionsCarryTheDialogsChoices();
    void theJobFileIsPrivateAndGoesWithItsHandle_data();
    void theJobFileIsPrivateAndGoesWithItsHandle();
    void aJobPrintedToAFileArrivesOnlyWhenComplete_data();
    void aJobPrintedToAFileArrivesOnlyWhenComplete();
};

namespace {

QString Joined(const TCupsOptions& options) {
    QStringList parts;
    for (const auto& [name, value] : options)
        parts << QString::fromStdString(name + "=" + value);
    return parts.join(' ');
}

// Sets an environment variable for its lifetime.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name)
        , had_(qEnvironmentVariableIsSet(name))
        , old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

int PdfPages(const QByteArray& pdf) {
    return int(pdf.count("/Type /Page\n"));
}

} // namespace

void TestPrintJob::theOptionsCarryTheDialogsChoices_data() {
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<bool>("gray");
    QTest::addColumn<QPageSize>("size");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QStringList>("dialogOptions");
    QTest::addColumn<QString>("options");
    const QPageSize custom(QSizeF(150, 100.5), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    QTest::newRow("one copy of A4") << 1 << true << int(QPrinter::DuplexNone) << false
                                    << QPageSize(QPageSize::A4) << false << QStringList()
                                    << "copies=1 sides=one-sided media=A4";
    QTest::newRow("no copies is one")
        << 0 << false << int(QPrinter::DuplexNone) << false << QPageSize(QPageSize::A4) << false
        << QStringList() << "copies=1 sides=one-sided media=A4";
    QTest::newRow("collated, both sides, portrait")
        << 3 << true << int(QPrinter::DuplexAuto) << false << QPageSize(QPageSize::Letter) << false
        << QStringList()
        << "copies=3 multiple-document-handling=separate-documents-collated-copies "
           "sides=two-sided-long-edge media=Letter";
    QTest::newRow("uncollated, both sides, landscape, gray")
        << 2 << false << int(QPrinter::DuplexAuto) << true << QPageSize(QPageSize::A5) << true
        << QStringList()
        << "copies=2 multiple-document-handling=separate-documents-uncollated-copies "
           "sides=two-sided-short-edge media=A5 print-color-mode=monochrome";
    QTest::newRow("long side of a Japanese B5")
        << 1 << true << int(QPrinter::DuplexLongSide) << false << QPageSize(QPageSize::JisB5) << true
        << QStringList() << "copies=1 sides=two-sided-long-edge media=B5";
    QTest::newRow("short side of a custom paper, portrait first")
        << 1 << true << int(QPrinter::DuplexShortSide) << false << custom << true << QStringList()
        << "copies=1 sides=two-sided-short-edge media=Custom.100.5x150mm";
    QTest::newRow("the dialog's further options, its copies overruled")
        << 1 << true << int(QPrinter::DuplexNone) << false << QPageSize(QPageSize::A4) << false
        << QStringList{"number-up", "2", "copies", "5", "page-set", "odd"}
        << "copies=1 sides=one-sided media=A4 number-up=2 page-set=odd";
}

void TestPrintJob::theOptionsCarryTheDialogsChoices() {
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(int, duplex);
    QFETCH(bool, gray);
    QFETCH(QPageSize, size);
    QFETCH(bool, landscape);
    QFETCH(QStringList, dialogOptions);
    QFETCH(QString, options);
    TPrintJobChoices choices;
    choices.copies = copies;
    choices.collate = collate;
    choices.duplex = QPrinter::DuplexMode(duplex);
    choices.colorMode = gray ? QPrinter::GrayScale : QPrinter::Color;
    choices.layout = QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, {});
    choices.dialogOptions = dialogOptions;
    QCOMPARE(Joined(CupsJobOptions(choices)), options);
}

void TestPrintJob::theJobFileIsPrivateAndGoesWithItsHandle_data() {
    QTest::addColumn<bool>("missingFolder");
    QTest::newRow("in the temporary folder") << false;
    QTest::newRow("in /tmp when the temporary folder is missing") << true;
}

void TestPrintJob::theJobFileIsPrivateAndGoesWithItsHandle() {
    QFETCH(bool, missingFolder);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = missingFolder ? dir.filePath("gone") : dir.path();
    const ScopedEnvironment tmpdir("TMPDIR", QFile::encodeName(folder));
    TPrintJobFile job;
    QCOMPARE(job.Device().write("%PDF-1.4\n"), qint64(9));
    const int handle = job.Finished();
    struct stat status {};
    QCOMPARE(::fstat(handle, &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    QCOMPARE(status.st_nlink, nlink_t(0)); // unlinked: nothing is left behind, also after a crash
    QCOMPARE(status.st_size, off_t(9));
    const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(handle));
    QVERIFY2(path.startsWith((missingFolder ? QStringLiteral("/tmp") : folder) + "/handvise-print-"),
             qPrintable(path));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestPrintJob::aJobPrintedToAFileArrivesOnlyWhenComplete_data() {
    QTest::addColumn<int>("abortAfter"); // pages drawn before the abort; 0: never aborted
    QTest::newRow("complete") << 0;
    QTest::newRow("aborted after page 1 of 3") << 1;
}

void TestPrintJob::aJobPrintedToAFileArrivesOnlyWhenComplete() {
    QFETCH(int, abortAfter);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("routine.pdf");
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier file");
    }
    TSystemPrinter printer;
    printer.QtPrinter().setOutputFileName(file);
    printer.QtPrinter().setPageSize(QPageSize(QPageSize::A5));
    printer.SetTitle(QStringLiteral("Training Cycle"));
    printer.BeginDoc();
    QVERIFY(printer.Printing());
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            printer.NewPage();
        printer.Canvas().Painter().drawText(100, 100, QStringLiteral("Week %1").arg(page));
        if (page == abortAfter)
            printer.Abort();
        if (!printer.Printing())
            break;
    }
    if (printer.Printing())
        printer.EndDoc();
    QVERIFY(!printer.Printing());
    QCOMPARE(printer.Aborted(), abortAfter > 0);

    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    if (abortAfter > 0) {
        QCOMPARE(bytes, QByteArray("an earlier file"));
        return;
    }
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(PdfPages(bytes), 3);
    QVERIFY(bytes.contains("/MediaBox [0 0 420.000000 595.000000]")); // A5 in whole points
}

QTEST_MAIN(TestPrintJob)
#include "tst_print_job.moc"
