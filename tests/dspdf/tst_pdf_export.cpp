// PDF files written through the real library: page count, page sizes, texts and fonts read back with
// poppler's tools; what is left on disk when saving fails; the order of calls the library refuses; and
// the library in a program without Qt.
#include "preview/PdfLibrary.h"
#include "preview/Preview.h"
#include "tests/support/PageBytes.h"
#include "tests/support/PdfTools.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace preview;
using namespace testsupport;

class TestPdfExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesKeepTheirSizeTextsAndFonts_data();
    void pagesKeepTheirSizeTextsAndFonts();
    void eachPageTakesItsOwnSize();
    void aFailedSaveKeepsTheExistingFileAndLeavesNoTemporaryFile();
    void aSuccessfulSaveReplacesTheExistingFile();
    void aFolderThatCannotBeWrittenGivesAClearError_data();
    void aFolderThatCannotBeWrittenGivesAClearError();
    void callsOutOfOrderOrWithBadArgumentsAreRefused();
    void hostilePagesFailNamingThePageAndReason_data();
    void hostilePagesFailNamingThePageAndReason();
    void aProgramWithoutQtWritesTheSameDocument();

private:
    TPdfLibrary library_;
    QTemporaryDir dir_;
};

namespace {

#define REQUIRE_TOOL(name)                                                                                   \
    if (QStandardPaths::findExecutable(name).isEmpty())                                                      \
    QSKIP(name " is not installed (scripts/install-deps.sh installs it)")

// A page as the preview records it: drawn in hundredths of a millimetre on a metafile of the paper's
// size in screen pixels, with fonts sized in page units.
QByteArray RecordedPage(int width, int height, const QString& title) {
    const int pixelWidth = qRound(width * 96.0 / 2540);
    const int pixelHeight = qRound(height * 96.0 / 2540);
    TMetafile page(pixelWidth, pixelHeight);
    {
        TMetafileCanvas canvas(page);
        QPainter& painter = canvas.Painter();
        painter.setWindow(0, 0, width, height);
        painter.setViewport(0, 0, pixelWidth, pixelHeight);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(423); // 12 points
        painter.setFont(font);
        painter.drawText(QPoint(1000, 2000), title);
        font.setPixelSize(282);
        font.setFamily(QStringLiteral("Courier New"));
        painter.setFont(font);
        painter.drawText(QPoint(1000, 3000), QStringLiteral("Week 1 Set 3: 5 - 9, 212.5 lb"));
        painter.setPen(QPen(Qt::black, 30));
        painter.drawRect(500, 500, width - 1000, height - 1000);
        painter.fillRect(1000, 4000, 3000, 2000, QColor(200, 30, 30));
        painter.drawLine(500, height / 2, width - 500, height / 2);
    }
    return page.SaveToData();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

void TestPdfExport::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY2(library_.Load(), "libdspdf.so is copied beside the test program by the build");
    QCOMPARE(library_.FileName(), QCoreApplication::applicationDirPath() + "/libdspdf.so");
}

void TestPdfExport::pagesKeepTheirSizeTextsAndFonts_data() {
    QTest::addColumn<int>("paperCode");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QSizeF>("points");
    QTest::newRow("A4") << 2 << 0 << 21000 << 29700 << QSizeF(595.28, 841.89);
    QTest::newRow("letter") << 1 << 0 << 21590 << 27940 << QSizeF(612, 792);
    QTest::newRow("custom 100 x 150 mm") << 0 << 0 << 10000 << 15000 << QSizeF(283.46, 425.2);
    QTest::newRow("A4 landscape") << 2 << 1 << 29700 << 21000 << QSizeF(841.89, 595.28);
}

void TestPdfExport::pagesKeepTheirSizeTextsAndFonts() {
    REQUIRE_TOOL("pdfinfo");
    REQUIRE_TOOL("pdftotext");
    REQUIRE_TOOL("pdffonts");
    REQUIRE_TOOL("qpdf");
    QFETCH(int, paperCode);
    QFETCH(int, orientation);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QSizeF, points);
    const QString file = dir_.filePath(QStringLiteral("routine %1.pdf").arg(QTest::currentDataTag()));
    library_.SaveDocument(file, 3, {paperCode, orientation, width, height},
                          [&](int page) {
                              return RecordedPage(width, height,
                                                  QStringLiteral("Training Cycle page %1").arg(page));
                          },
                          {QStringLiteral("Training Cycle"), QStringLiteral("en")});

    bool ok = false;
    const QString check = RunTool("qpdf", {"--check", file}, &ok);
    QVERIFY2(ok && check.contains("No syntax or stream encoding errors"), qPrintable(check));
    const QString info = RunTool("pdfinfo", {file}, &ok);
    QVERIFY2(ok, qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+Training Cycle\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Creator:\\s+Varnok Handvise\\n")), qPrintable(info));
    const QString metadata = RunTool("pdfinfo", {"-meta", file});
    QVERIFY2(metadata.contains("<dc:language><rdf:Bag><rdf:li>en</rdf:li>"), qPrintable(metadata));
    QCOMPARE(PdfPageCount(info), 3);
    const QSizeF size = PdfPageSize(info);
    QVERIFY2(qAbs(size.width() - points.width()) < 1 && qAbs(size.height() - points.height()) < 1,
             qPrintable(info));

    const QString text = RunTool("pdftotext", {"-layout", file, "-"});
    for (int page = 1; page <= 3; ++page)
        QVERIFY2(text.contains(QStringLiteral("Training Cycle page %1").arg(page)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Week 1 Set 3: 5 - 9, 212.5 lb")), qPrintable(text));
    // Fonts are outline fonts embedded in the file, not drawings of the letters, and only the glyphs
    // used: the two whole fonts alone would take several hundred kilobytes.
    const QStringList fonts =
        RunTool("pdffonts", {file}).split('\n').mid(2).filter(QRegularExpression("\\S"));
    QVERIFY2(fonts.size() >= 2, qPrintable(fonts.join('\n')));
    for (const QString& font : fonts) {
        QVERIFY2(font.contains("TrueType"), qPrintable(font));
        QVERIFY2(font.contains(QRegularExpression("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$")),
                 qPrintable(font));
    }
    QVERIFY2(QFileInfo(file).size() < 60 * 1024, qPrintable(QString::number(QFileInfo(file).size())));
}

void TestPdfExport::eachPageTakesItsOwnSize() {
    REQUIRE_TOOL("pdfinfo");
    const QString file = dir_.filePath("mixed.pdf");
    QCOMPARE(library_.BeginDoc(file.toUtf8().constData()), 0);
    QCOMPARE(library_.SetPage(9, 0, 0, 0), 0); // A5 from its code alone
    QCOMPARE(library_.NewPage(), 0);           // page 1 stays blank
    QCOMPARE(library_.SetPage(0, 1, 15000, 10000), 0);
    const QByteArray page = RecordedPage(15000, 10000, "landscape");
    QCOMPARE(library_.PrintPageM(page.constData(), int(page.size())), 0);
    QCOMPARE(library_.NewPage(), 0); // page 3 takes page 2's size
    QCOMPARE(library_.EndDoc(), 0);
    const QString info = RunTool("pdfinfo", {"-f", "1", "-l", "3", file});
    QCOMPARE(PdfPageCount(info), 3);
    const QSizeF a5 = PdfPageSize(info, 1);
    QVERIFY2(qAbs(a5.width() - 419.53) < 1 && qAbs(a5.height() - 595.28) < 1, qPrintable(info));
    for (int number : {2, 3}) {
        const QSizeF landscape = PdfPageSize(info, number);
        QVERIFY2(qAbs(landscape.width() - 425.2) < 1 && qAbs(landscape.height() - 283.46) < 1,
                 qPrintable(info));
    }
}

void TestPdfExport::aFailedSaveKeepsTheExistingFileAndLeavesNoTemporaryFile() {
    QTemporaryDir folder;
    const QString file = folder.filePath("routine.pdf");
    {
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("the routine saved last week");
    }
    const auto pages = [](int page) {
        return page == 2 ? QByteArray("not a recorded page at all") : RecordedPage(21000, 29700, "page");
    };
    try {
        library_.SaveDocument(file, 3, {2, 0, 21000, 29700}, pages);
        QFAIL("bad page bytes were saved");
    } catch (const EPdfError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("The bytes of page 2 are not a recorded page: no page header"));
    }
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("the routine saved last week"));
    QCOMPARE(Entries(folder.path()), QStringList{"routine.pdf"});

    // The same failure with no file there before leaves nothing at all.
    const QString fresh = folder.filePath("new.pdf");
    QVERIFY_THROWS_EXCEPTION(EPdfError, library_.SaveDocument(fresh, 3, {2, 0, 21000, 29700}, pages));
    QCOMPARE(Entries(folder.path()), QStringList{"routine.pdf"});
    // A library left in a clean state: the next document saves.
    library_.SaveDocument(fresh, 1, {2, 0, 21000, 29700}, pages);
    QVERIFY(QFile::exists(fresh));
}

void TestPdfExport::aSuccessfulSaveReplacesTheExistingFile() {
    QTemporaryDir folder;
    const QString file = folder.filePath("routine.pdf");
    {
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(QByteArray(200000, 'x')); // longer than the new file: nothing of it may remain
    }
    library_.SaveDocument(file, 1, {2, 0, 21000, 29700},
                          [](int) { return RecordedPage(21000, 29700, "Training Cycle"); });
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    QVERIFY(content.startsWith("%PDF-"));
    QVERIFY(content.trimmed().endsWith("%%EOF"));
    QVERIFY(!content.contains("xxxxxxxx"));
    QCOMPARE(Entries(folder.path()), QStringList{"routine.pdf"});
}

void TestPdfExport::aFolderThatCannotBeWrittenGivesAClearError_data() {
    // Paths that stay unwritable for root as well: a missing folder, the kernel's process folder, and a
    // folder that is a plain file.
    QTest::addColumn<QString>("file");
    QTest::newRow("missing folder") << dir_.filePath("no such folder/routine.pdf");
    QTest::newRow("kernel folder") << QStringLiteral("/proc/routine.pdf");
    QTest::newRow("folder is a file") << dir_.filePath("plain.txt/routine.pdf");
}

void TestPdfExport::aFolderThatCannotBeWrittenGivesAClearError() {
    QFETCH(QString, file);
    {
        QFile plain(dir_.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    try {
        library_.SaveDocument(file, 1, {2, 0, 21000, 29700},
                              [](int) { return RecordedPage(21000, 29700, "x"); });
        QFAIL("saving into a folder that cannot be written succeeded");
    } catch (const EPdfError& error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.startsWith("Cannot create the PDF file " + file + ": "), qPrintable(message));
        QVERIFY2(message.size() > ("Cannot create the PDF file " + file + ": ").size(), qPrintable(message));
    }
    QVERIFY(!QFile::exists(file));
}

void TestPdfExport::callsOutOfOrderOrWithBadArgumentsAreRefused() {
    const auto message = [&] {
        return QString::fromUtf8(library_.LastError());
    };
    QCOMPARE(library_.EndDoc(), 1);
    QCOMPARE(message(), QStringLiteral("No PDF document has been started"));
    QCOMPARE(library_.NewPage(), 1);
    QCOMPARE(library_.SetPage(2, 0, 21000, 29700), 1);
    const QByteArray page = RecordedPage(21000, 29700, "x");
    QCOMPARE(library_.PrintPageM(page.constData(), int(page.size())), 1);
    QCOMPARE(library_.BeginDoc(nullptr), 1);
    QCOMPARE(library_.BeginDoc(""), 1);
    QCOMPARE(message(), QStringLiteral("No file name for the PDF document"));

    const QString file = dir_.filePath("order.pdf");
    QCOMPARE(library_.BeginDoc(file.toUtf8().constData()), 0);
    QCOMPARE(message(), QString());
    QCOMPARE(library_.BeginDoc(dir_.filePath("other.pdf").toUtf8().constData()), 1); // the first stays open
    QCOMPARE(message(), QStringLiteral("A PDF document is already open"));
    QCOMPARE(library_.PrintPageM(page.constData(), int(page.size())), 0);
    QCOMPARE(library_.EndDoc(), 0);
    QVERIFY(QFile::exists(file));
    QVERIFY(!QFile::exists(dir_.filePath("other.pdf")));

    // A refused paper spoils its document: it would otherwise be saved with a page of the wrong size.
    const QString refused = dir_.filePath("refused.pdf");
    for (auto [code, orientation, width, height] :
         {std::tuple{2, 2, 21000, 29700}, std::tuple{2, 0, -5, 29700}, std::tuple{0, 0, 0, 0},
          std::tuple{77, 0, 0, 0}, std::tuple{0, 0, 600000, 29700}}) {
        QCOMPARE(library_.BeginDoc(refused.toUtf8().constData()), 0);
        QCOMPARE(library_.SetPage(code, orientation, width, height), 1);
        const QString reason = message();
        QVERIFY(!reason.isEmpty());
        QCOMPARE(library_.EndDoc(), 1);
        QCOMPARE(message(), reason);
        QVERIFY(!QFile::exists(refused));
    }

    // Once a document has failed, nothing more is taken and nothing is saved.
    const QString spoiled = dir_.filePath("spoiled.pdf");
    QCOMPARE(library_.BeginDoc(spoiled.toUtf8().constData()), 0);
    QCOMPARE(library_.PrintPageM(page.constData(), int(page.size())), 0);
    QCOMPARE(library_.SetPage(2, 0, 21000, 29700), 1); // the page is already drawn on
    QCOMPARE(message(), QStringLiteral("The page size must be set before the page is drawn on"));
    QCOMPARE(library_.NewPage(), 1);
    QCOMPARE(library_.PrintPageM(nullptr, 10), 1);
    QCOMPARE(library_.EndDoc(), 1);
    QCOMPARE(message(), QStringLiteral("The page size must be set before the page is drawn on"));
    QVERIFY(!QFile::exists(spoiled));
}

void TestPdfExport::hostilePagesFailNamingThePageAndReason_data() {
    QTest::addColumn<QByteArray>("bytes"); // given to PrintPageM, or
    QTest::addColumn<QString>("pageFile"); // read by PrintPageF
    QTest::addColumn<QString>("message");  // how LastError() starts
    const QString notAPage = QStringLiteral("The bytes of page 2 are not a recorded page: ");
    for (const QString& file : testsupport::ReproducerFiles())
        QTest::newRow(qPrintable(QFileInfo(file).fileName()))
            << testsupport::FileBytes(file) << QString() << notAPage;
    // Files that blocked the library for ever or were read whole into memory.
    const QString fifo = dir_.filePath("fifo");
    QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
    const QString sparse = dir_.filePath("sparse.bin");
    QFile(sparse).open(QIODevice::WriteOnly);
    QVERIFY(QFile(sparse).resize(qint64(2) << 30));
    const QString small = dir_.filePath("small.bin");
    QFile smallFile(small);
    QVERIFY(smallFile.open(QIODevice::WriteOnly) && smallFile.write("QPIC") == 4);
    smallFile.close();
    const auto cannotRead = [](const QString& file) {
        return "Cannot read the page file " + file + ": ";
    };
    QTest::newRow("fifo") << QByteArray() << fifo << cannotRead(fifo) + "not a regular file";
    QTest::newRow("device") << QByteArray() << "/dev/zero" << cannotRead("/dev/zero") + "not a regular file";
    QTest::newRow("folder") << QByteArray() << dir_.path() << cannotRead(dir_.path()) + "not a regular file";
    QTest::newRow("2 GB") << QByteArray() << sparse << cannotRead(sparse) + "larger than";
    QTest::newRow("missing") << QByteArray() << dir_.filePath("none")
                             << cannotRead(dir_.filePath("none")) + "No such file";
    QTest::newRow("short file") << QByteArray() << small << notAPage + "no page header";
}

void TestPdfExport::hostilePagesFailNamingThePageAndReason() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, pageFile);
    QFETCH(QString, message);
    const QString file = dir_.filePath("hostile.pdf");
    const QByteArray page = RecordedPage(21000, 29700, "x");
    QCOMPARE(library_.BeginDoc(file.toUtf8().constData()), 0);
    QCOMPARE(library_.PrintPageM(page.constData(), int(page.size())), 0);
    QCOMPARE(library_.NewPage(), 0);
    const int result = pageFile.isEmpty() ? library_.PrintPageM(bytes.constData(), int(bytes.size()))
                                          : library_.PrintPageF(pageFile.toUtf8().constData());
    QCOMPARE(result, 1);
    const QString reason = QString::fromUtf8(library_.LastError());
    QVERIFY2(reason.startsWith(message), qPrintable(reason));
    QCOMPARE(library_.EndDoc(), 1);
    QVERIFY(!QFile::exists(file));
}

void TestPdfExport::aProgramWithoutQtWritesTheSameDocument() {
    REQUIRE_TOOL("pdfinfo");
    REQUIRE_TOOL("pdftotext");
    const QString bytesFile = dir_.filePath("page.bin");
    {
        QFile bytes(bytesFile);
        QVERIFY(bytes.open(QIODevice::WriteOnly));
        bytes.write(RecordedPage(21000, 29700, "Written without Qt"));
    }
    const QString pdf = dir_.filePath("plain host.pdf");
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM"); // the library has to choose its platform itself
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    host.setProcessEnvironment(environment);
    host.start(QCoreApplication::applicationDirPath() + "/dspdf_plain_host", {pdf, bytesFile});
    QVERIFY(host.waitForFinished(60000));
    QVERIFY2(host.exitStatus() == QProcess::NormalExit && host.exitCode() == 0,
             qPrintable(host.readAllStandardOutput() + host.readAllStandardError()));
    const QString info = RunTool("pdfinfo", {"-f", "1", "-l", "2", pdf});
    QCOMPARE(PdfPageCount(info), 2);
    const QSizeF first = PdfPageSize(info, 1);
    const QSizeF second = PdfPageSize(info, 2);
    QVERIFY2(qAbs(first.width() - 595.28) < 1 && qAbs(first.height() - 841.89) < 1, qPrintable(info));
    QVERIFY2(qAbs(second.width() - 425.2) < 1 && qAbs(second.height() - 283.46) < 1, qPrintable(info));
    QCOMPARE(RunTool("pdftotext", {pdf, "-"}).count("Written without Qt"), 2);
}

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    TestPdfExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pdf_export.moc"
