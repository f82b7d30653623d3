// The PDF library's binding: where it is looked for (never the working directory), a library that
// lacks an entry point, and the calls that saving a document makes, checked against a fake library
// that logs them.
#include "preview/PdfLibrary.h"
#include "preview/Preview.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>

using namespace preview;

class TestPdfLibrary : public QObject {
    Q_OBJECT
private slots:
    void init();
    void theProgramsOwnFolderComesFirst();
    void savingCallsTheEntryPointsInOrder_data();
    void savingCallsTheEntryPointsInOrder();
    void aFailedCallStopsThePagesEndsTheDocumentAndRaisesItsMessage_data();
    void aFailedCallStopsThePagesEndsTheDocumentAndRaisesItsMessage();
    void aFailureReadingAPageStillEndsTheDocument();
    void withoutTheLibrarySavingRaisesMissingAndCallsNothing();
    void aLibraryLackingAnEntryPointCountsAsMissing();
    void theTitleGoesFirstToALibraryThatTakesIt_data();
    void theTitleGoesFirstToALibraryThatTakesIt();
    void theSystemSearchPathIsUsedButNeverTheWorkingDirectory();
    void searchPathsWithEmptyOrRelativeEntriesAreNotAbsolute_data();
    void searchPathsWithEmptyOrRelativeEntriesAreNotAbsolute();

private:
    TPdfLibrary library_;
    const char* (*fakeLog_)() = nullptr;
    void (*fakeReset_)(const char*, int, const char*) = nullptr;
};

namespace {
QString AppDir() {
    return QCoreApplication::applicationDirPath();
}

QByteArray PageBytes(int page) {
    return "page-" + QByteArray::number(page);
}
} // namespace

void TestPdfLibrary::init() {
    if (!library_.Loaded()) {
        QVERIFY(library_.Load());
        // The same file, already loaded by the binding: its test controls come from the same copy.
        QLibrary fake(library_.FileName());
        fakeLog_ = reinterpret_cast<const char* (*)()>(fake.resolve("FakeLog"));
        fakeReset_ = reinterpret_cast<void (*)(const char*, int, const char*)>(fake.resolve("FakeReset"));
        QVERIFY(fakeLog_ != nullptr && fakeReset_ != nullptr);
    }
    fakeReset_(nullptr, 0, nullptr);
}

void TestPdfLibrary::theProgramsOwnFolderComesFirst() {
    const QStringList candidates = TPdfLibrary::Candidates();
    QCOMPARE(candidates.value(0), AppDir() + "/libdspdf.so");
    QCOMPARE(candidates.size(), 3);
    // The suite's private library folder, relative to the preview library, then the bare name.
    QVERIFY(QFileInfo(candidates[1]).isAbsolute());
    QVERIFY(candidates[1].endsWith("/handvise/libdspdf.so"));
    QVERIFY(!candidates[2].contains('/'));
    QCOMPARE(library_.FileName(), AppDir() + "/libdspdf.so");
    QVERIFY(library_.Load()); // a second load keeps the binding
    QCOMPARE(library_.FileName(), AppDir() + "/libdspdf.so");
}

void TestPdfLibrary::savingCallsTheEntryPointsInOrder_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("paperCode");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("A4, three pages") << 3 << 2 << 0 << 21000 << 29700;
    QTest::newRow("letter, one page") << 1 << 1 << 0 << 21590 << 27940;
    QTest::newRow("custom landscape, two pages") << 2 << 0 << 1 << 15000 << 10000;
}

void TestPdfLibrary::savingCallsTheEntryPointsInOrder() {
    QFETCH(int, pages);
    QFETCH(int, paperCode);
    QFETCH(int, orientation);
    QFETCH(int, width);
    QFETCH(int, height);
    const QString fileName = QStringLiteral("/tmp/Übung mit Leerzeichen.pdf");
    library_.SaveDocument(fileName, pages, {paperCode, orientation, width, height}, PageBytes);

    QString expected = "BeginDoc(" + fileName + ")\n";
    const QString setPage =
        QStringLiteral("SetPage(%1,%2,%3,%4)\n").arg(paperCode).arg(orientation).arg(width).arg(height);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            expected += "NewPage\n";
        expected += setPage + "PrintPageM(page-" + QString::number(page) + ")\n";
    }
    expected += "EndDoc\n";
    QCOMPARE(QString::fromUtf8(fakeLog_()), expected);
}

void TestPdfLibrary::aFailedCallStopsThePagesEndsTheDocumentAndRaisesItsMessage_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("call");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("raised");
    const QString page1 = "SetPage(2,0,21000,29700)\nPrintPageM(page-1)\n";
    QTest::newRow("second page's bytes") << "PrintPageM" << 2 << "disk full"
                                         << "BeginDoc(x.pdf)\n" + page1 +
                                                "NewPage\nSetPage(2,0,21000,29700)\n"
                                                "PrintPageM(page-2)\nEndDoc\n"
                                         << "disk full";
    QTest::newRow("new page") << "NewPage" << 1 << "no room"
                              << "BeginDoc(x.pdf)\n" + page1 + "NewPage\nEndDoc\n"
                              << "no room";
    QTest::newRow("page size, without a message") << "SetPage" << 1 << ""
                                                  << "BeginDoc(x.pdf)\nSetPage(2,0,21000,29700)\nEndDoc\n"
                                                  << "The PDF library failed in SetPage";
    QTest::newRow("end of the document")
        << "EndDoc" << 1 << "rename failed"
        << "BeginDoc(x.pdf)\n" + page1 +
               "NewPage\nSetPage(2,0,21000,29700)\nPrintPageM(page-2)\n"
               "NewPage\nSetPage(2,0,21000,29700)\nPrintPageM(page-3)\nEndDoc\n"
        << "rename failed";
    // Without a started document there is nothing to end.
    QTest::newRow("start of the document") << "BeginDoc" << 1 << "cannot create"
                                           << "BeginDoc(x.pdf)\n"
                                           << "cannot create";
}

void TestPdfLibrary::aFailedCallStopsThePagesEndsTheDocumentAndRaisesItsMessage() {
    QFETCH(QString, entry);
    QFETCH(int, call);
    QFETCH(QString, message);
    QFETCH(QString, log);
    QFETCH(QString, raised);
    fakeReset_(entry.toUtf8().constData(), call, message.toUtf8().constData());
    try {
        library_.SaveDocument("x.pdf", 3, {2, 0, 21000, 29700}, PageBytes);
        QFAIL("a failed call was reported as success");
    } catch (const EPdfError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), raised);
    }
    QCOMPARE(QString::fromUtf8(fakeLog_()), log);
}

void TestPdfLibrary::aFailureReadingAPageStillEndsTheDocument() {
    const auto pages = [](int page) -> QByteArray {
        if (page == 2)
            throw EReadError("page file");
        return PageBytes(page);
    };
    QVERIFY_THROWS_EXCEPTION(EReadError, library_.SaveDocument("x.pdf", 3, {2, 0, 21000, 29700}, pages));
    QCOMPARE(QString::fromUtf8(fakeLog_()),
             QStringLiteral("BeginDoc(x.pdf)\nSetPage(2,0,21000,29700)\nPrintPageM(page-1)\nEndDoc\n"));
}

void TestPdfLibrary::withoutTheLibrarySavingRaisesMissingAndCallsNothing() {
    const TPdfLibrary unbound;
    QVERIFY(!unbound.Loaded());
    try {
        unbound.SaveDocument("x.pdf", 1, {}, PageBytes);
        QFAIL("saving without the library succeeded");
    } catch (const EMissingPDFLibrary& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Cannot locate libdspdf.so"));
    }
    QCOMPARE(QString::fromUtf8(fakeLog_()), QString());
}

void TestPdfLibrary::aLibraryLackingAnEntryPointCountsAsMissing() {
    const QString incomplete = AppDir() + "/incomplete/libdspdf.so";
    QVERIFY(QFile::exists(incomplete));
    TPdfLibrary library;
    QVERIFY(!library.LoadFile(incomplete));
    QVERIFY(!library.Loaded());
    QVERIFY(library.FileName().isEmpty());
    QVERIFY(library.BeginDoc == nullptr && library.EndDoc == nullptr && library.LastError == nullptr);
    QVERIFY(!library.LoadFile(AppDir() + "/no such folder/libdspdf.so"));
    QVERIFY(!library.Loaded());
}

// SetDocInfo is optional: a library without it writes the same pages, untitled.
void TestPdfLibrary::theTitleGoesFirstToALibraryThatTakesIt_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("told");
    QTest::newRow("title and language") << "described"
                                        << "Training Cycle"
                                        << "en"
                                        << "SetDocInfo(Training Cycle,en)\n";
    QTest::newRow("language only") << "described"
                                   << ""
                                   << "de"
                                   << "SetDocInfo(,de)\n";
    QTest::newRow("nothing to say") << "described"
                                    << ""
                                    << ""
                                    << "";
    QTest::newRow("library without it") << ""
                                        << "Training Cycle"
                                        << "en"
                                        << "";
}

void TestPdfLibrary::theTitleGoesFirstToALibraryThatTakesIt() {
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(QString, language);
    QFETCH(QString, told);
    TPdfLibrary library;
    QVERIFY(library.LoadFile(AppDir() + "/" + folder + "/libdspdf.so"));
    QCOMPARE(library.SetDocInfo != nullptr, !folder.isEmpty());
    QLibrary fake(library.FileName());
    const auto log = reinterpret_cast<const char* (*)()>(fake.resolve("FakeLog"));
    const auto reset = reinterpret_cast<void (*)(const char*, int, const char*)>(fake.resolve("FakeReset"));
    reset(nullptr, 0, nullptr);
    library.SaveDocument("x.pdf", 1, {1, 0, 21590, 27940}, PageBytes, {title, language});
    QCOMPARE(QString::fromUtf8(log()),
             "BeginDoc(x.pdf)\n" + told + "SetPage(1,0,21590,27940)\nPrintPageM(page-1)\nEndDoc\n");
}

void TestPdfLibrary::theSystemSearchPathIsUsedButNeverTheWorkingDirectory() {
    // A copy of this program in a folder without the library asks the binding where it finds one,
    // started in a working directory that holds the fake library.
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString copy = elsewhere.filePath("probe");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    // What the binding answers, and whether the fake library in the working directory was loaded at
    // all (its initialiser announces itself on the error output).
    const auto probe = [&](const QString& libraryPath) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_LIBRARY_PATH", libraryPath);
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        environment.insert("FAKE_DSPDF_ANNOUNCE", "1");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(AppDir());
        process.start(copy, {"--probe"});
        if (!process.waitForFinished(30000))
            return QStringLiteral("probe did not finish");
        QString answer = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        if (process.readAllStandardError().contains("fake library initialised"))
            answer += QStringLiteral(" (initialised)");
        return answer;
    };
    // Empty and relative entries in the search path stand for the working directory: nothing from
    // there is even loaded.
    for (const QString& unsafe : QStringList{":", "::" + elsewhere.path(), ".", elsewhere.path() + ":.",
                                             QStringLiteral("incomplete/..")})
        QCOMPARE(probe(unsafe), QStringLiteral("missing"));
    // A folder on the search path is a place the system installed the library in.
    QCOMPARE(probe(AppDir()), "loaded " + AppDir() + "/libdspdf.so (initialised)");
}

void TestPdfLibrary::searchPathsWithEmptyOrRelativeEntriesAreNotAbsolute_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("absolute");
    QTest::newRow("unset") << QByteArray() << true;
    QTest::newRow("one folder") << QByteArray("/usr/lib") << true;
    QTest::newRow("two folders") << QByteArray("/usr/lib:/opt/lib;/srv") << true;
    QTest::newRow("only a colon") << QByteArray(":") << false;
    QTest::newRow("leading empty entry") << QByteArray(":/usr/lib") << false;
    QTest::newRow("trailing empty entry") << QByteArray("/usr/lib:") << false;
    QTest::newRow("empty entry inside") << QByteArray("/usr/lib::/opt/lib") << false;
    QTest::newRow("empty after a semicolon") << QByteArray("/usr/lib;") << false;
    QTest::newRow("dot") << QByteArray(".") << false;
    QTest::newRow("relative folder") << QByteArray("/usr/lib:lib") << false;
    QTest::newRow("origin") << QByteArray("$ORIGIN/lib") << false;
}

void TestPdfLibrary::searchPathsWithEmptyOrRelativeEntriesAreNotAbsolute() {
    QFETCH(QByteArray, path);
    QFETCH(bool, absolute);
    QCOMPARE(SearchPathIsAbsolute(path), absolute);
}

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--probe") == 0) {
        QCoreApplication application(argc, argv);
        TPdfLibrary library;
        if (library.Load())
            std::printf("loaded %s\n", qPrintable(library.FileName()));
        else
            std::printf("missing\n");
        return 0;
    }
    QGuiApplication application(argc, argv);
    TestPdfLibrary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pdf_library.moc"
