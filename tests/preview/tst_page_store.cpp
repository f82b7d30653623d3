// The page store: which pages stay in memory, where written-out pages go in the temporary file, how
// they come back, and what happens when the file cannot be written or read.
#include "preview/MetafileList.h"
#include "preview/Preview.h"
#include "tests/preview/PageDrawing.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace preview;
using previewtest::DrawPage;
using previewtest::MakePage;

using States = TMetafileStates;
constexpr auto InMemory = TMetafileState::msInMemory;
constexpr auto InTempFile = TMetafileState::msInTempFile;
constexpr auto Changed = TMetafileState::msChanged;

class TestPageStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cacheSizeIsAtLeastOne_data();
    void cacheSizeIsAtLeastOne();
    void shrinkingTheCacheWritesPagesOutAtOnce();
    void theEleventhPageOpensTheFile();
    void theLeastUsedPageLeavesFirst();
    void aWrittenOutPageComesBackEqual();
    void aRedrawnPageIsRewrittenInPlaceOnlyWhenItEndsTheFile();
    void insertClampsTheIndex_data();
    void insertClampsTheIndex();
    void drawingOnAStoredPageReportsItsIndex();
    void aListenerMayPushOutThePageThatChanged();
    void clearRemovesPagesAndFile();
    void indexOutsideTheStoreIsAListError();
    void theFileNeverOutlivesTheStore();
    void aFullDiskLosesNoPage();
    void aMissingTempFolderLosesNoPage();
    void aHalfWrittenCopyIsCutOff();
    void damagedCopiesAreRefused_data();
    void damagedCopiesAreRefused();

private:
    std::unique_ptr<QTemporaryDir> tempDir_;
    QByteArray savedTmpDir_;
};

namespace {

void AddPages(TMetafileList& store, int count, int first = 0) {
    for (int n = first; n < first + count; ++n)
        store.Add(*MakePage(n));
}

// The pages' copies that the temporary file holds, as the process's open files show them.
QStringList OpenPageFiles() {
    QStringList found;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files)) {
        const QString target = QFile::symLinkTarget(fds.filePath(fd));
        if (QFileInfo(target).fileName().startsWith(QLatin1String("PX")))
            found << target;
    }
    return found;
}

// Opens /dev/full, on which every write fails as on a full disk.
std::unique_ptr<THandleStream> OpenFullDisk() {
    return std::make_unique<THandleStream>(::open("/dev/full", O_RDWR | O_CLOEXEC));
}

} // namespace

void TestPageStore::init() {
    // Each test gets its own temporary folder, so leftovers would show.
    tempDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tempDir_->isValid());
    savedTmpDir_ = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tempDir_->path()));
}

void TestPageStore::cleanup() {
    QVERIFY2(QDir(tempDir_->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             "a page file is left in the temporary folder");
    QVERIFY(OpenPageFiles().isEmpty());
    qputenv("TMPDIR", savedTmpDir_);
    tempDir_.reset();
}

void TestPageStore::cacheSizeIsAtLeastOne_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -7 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("larger") << 25 << 25;
}

void TestPageStore::cacheSizeIsAtLeastOne() {
    QFETCH(int, value);
    QFETCH(int, stored);
    TMetafileList store;
    QCOMPARE(store.CacheSize(), 10);
    store.SetCacheSize(value);
    QCOMPARE(store.CacheSize(), stored);
}

void TestPageStore::shrinkingTheCacheWritesPagesOutAtOnce() {
    TMetafileList store;
    AddPages(store, 8);
    store.SetCacheSize(3);
    QCOMPARE(store.CachedCount(), 3);
    int written = 0;
    for (int i = 0; i < store.Count(); ++i)
        written += store.Entries(i).States() == States(InTempFile) ? 1 : 0;
    QCOMPARE(written, 5);
}

void TestPageStore::theEleventhPageOpensTheFile() {
    TMetafileList store;
    AddPages(store, 10);
    QVERIFY(store.TempFile() == nullptr);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(store.Entries(i).States(), States(InMemory | Changed));

    store.Add(*MakePage(10));
    QVERIFY(store.TempFile() != nullptr);
    QCOMPARE(store.CachedCount(), 10);
    // Untouched pages are all equal; the one cached last before the new page goes.
    const TMetafileEntry& written = store.Entries(9);
    QCOMPARE(written.States(), States(InTempFile));
    QVERIFY(written.Metafile() == nullptr);
    QCOMPARE(written.Offset(), 0);
    QCOMPARE(written.Size(), MakePage(9)->SaveToData().size());
    QCOMPARE(store.TempFile()->Size(), qint64(written.Size()));
    for (int i : {0, 8, 10})
        QCOMPARE(store.Entries(i).States(), States(InMemory | Changed));
}

void TestPageStore::theLeastUsedPageLeavesFirst() {
    TMetafileList store;
    store.SetCacheSize(4);
    AddPages(store, 4); // cached in order 0, 1, 2, 3
    store.Metafiles(3);
    store.Metafiles(3);
    store.Metafiles(1);
    store.Metafiles(0);
    store.Metafiles(0);
    store.Add(*MakePage(4)); // page 2 is the only untouched one
    QCOMPARE(store.Entries(2).States(), States(InTempFile));
    store.Add(*MakePage(5)); // page 4 (0 uses) goes before page 1 (1 use)
    QCOMPARE(store.Entries(4).States(), States(InTempFile));
    store.Metafiles(5);
    store.Add(*MakePage(6)); // pages 1 and 5 both have 1 use: the one cached later goes
    QCOMPARE(store.Entries(5).States(), States(InTempFile));
    QCOMPARE(store.Entries(1).States(), States(InMemory | Changed));
}

void TestPageStore::aWrittenOutPageComesBackEqual() {
    TMetafileList store;
    AddPages(store, 11); // page 9 is in the file
    const TMetafile& page = store.Metafiles(9);
    QCOMPARE(page.SaveToData(), MakePage(9)->SaveToData());
    QCOMPARE(page.Size(), QSize(previewtest::kPageWidth, previewtest::kPageHeight));
    QCOMPARE(store.Entries(9).TouchCount(), 1);
    QCOMPARE(store.Entries(9).States(), States(InMemory | InTempFile));
    QCOMPARE(store.CachedCount(), 10);
    QCOMPARE(store.Entries(10).States(), States(InTempFile)); // it made room: untouched, cached last

    // Unchanged, it leaves memory again without another copy.
    store.SetCacheSize(1); // page 9, the only one used, stays; the other nine are written
    QCOMPARE(store.Entries(9).States(), States(InMemory | InTempFile));
    const qint64 fileSize = store.TempFile()->Size();
    store.Metafiles(0);
    QCOMPARE(store.Entries(9).States(), States(InTempFile));
    QVERIFY(store.Entries(9).Metafile() == nullptr);
    QCOMPARE(store.Entries(9).Offset(), 0);
    QCOMPARE(store.TempFile()->Size(), fileSize);
}

void TestPageStore::aRedrawnPageIsRewrittenInPlaceOnlyWhenItEndsTheFile() {
    TMetafileList store;
    store.SetCacheSize(1);
    AddPages(store, 2); // page 0 at 0
    const qint64 firstSize = store.Entries(0).Size();

    // Page 1 is written after page 0's copy, so a redrawn page 0 is appended.
    DrawPage(store.Metafiles(0), 40);
    store.Metafiles(1);
    const qint64 appendedAt = store.Entries(1).Offset() + store.Entries(1).Size();
    QCOMPARE(store.Entries(1).Offset(), firstSize);
    QCOMPARE(store.Entries(0).Offset(), appendedAt);

    // Now page 0's copy ends the file: a shorter drawing overwrites it and the file is cut after it.
    TMetafile& page = store.Metafiles(0);
    {
        TMetafileCanvas canvas(page);
        canvas.Painter().drawPoint(1, 1);
    }
    const QByteArray shorter = page.SaveToData();
    QVERIFY(shorter.size() < firstSize);
    store.Metafiles(1);
    QCOMPARE(store.Entries(0).Offset(), appendedAt);
    QCOMPARE(store.Entries(0).Size(), shorter.size());
    QCOMPARE(store.TempFile()->Size(), appendedAt + shorter.size());
    QCOMPARE(store.Metafiles(0).SaveToData(), shorter);
}

void TestPageStore::insertClampsTheIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("position");
    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("front") << 0 << 0;
    QTest::newRow("middle") << 2 << 2;
    QTest::newRow("end") << 3 << 3;
    QTest::newRow("past the end") << 99 << 3;
}

void TestPageStore::insertClampsTheIndex() {
    QFETCH(int, index);
    QFETCH(int, position);
    TMetafileList store;
    AddPages(store, 3);
    QList<QPair<int, int>> changes;
    store.OnChange = [&](TMetafileList& sender, int first, int last) {
        QCOMPARE(&sender, &store);
        changes << qMakePair(first, last);
    };
    store.Insert(index, *MakePage(50));
    QCOMPARE(changes, (QList<QPair<int, int>>{{position, 3}}));
    QCOMPARE(store.Count(), 4);
    QCOMPARE(store.Metafiles(position).SaveToData(), MakePage(50)->SaveToData());
    QCOMPARE(store.Add(*MakePage(51)), 4);
}

void TestPageStore::drawingOnAStoredPageReportsItsIndex() {
    TMetafileList store;
    store.SetCacheSize(2);
    AddPages(store, 4); // pages 1 and 2 are in the file
    QList<int> changed;
    store.OnItemChange = [&](TMetafileList&, int index) {
        changed << index;
    };
    DrawPage(store.Metafiles(3), 7); // in memory since it was added
    DrawPage(store.Metafiles(1), 8); // read back from the file
    QCOMPARE(changed, (QList<int>{3, 1}));
    QCOMPARE(store.Entries(1).States(), States(InMemory | InTempFile | Changed));
}

void TestPageStore::aListenerMayPushOutThePageThatChanged() {
    TMetafileList store;
    store.SetCacheSize(1);
    AddPages(store, 2);
    // Reading the other page back while hearing of the change writes the changed page out.
    store.OnItemChange = [](TMetafileList& sender, int index) {
        sender.Metafiles(1 - index);
    };
    DrawPage(store.Metafiles(0), 9);
    QCOMPARE(store.Entries(0).States(), States(InTempFile));
    store.OnItemChange = nullptr;
    QCOMPARE(store.Metafiles(0).SaveToData(), MakePage(9)->SaveToData());
}

void TestPageStore::clearRemovesPagesAndFile() {
    TMetafileList store;
    QList<QPair<int, int>> changes;
    store.OnChange = [&](TMetafileList&, int first, int last) {
        changes << qMakePair(first, last);
    };
    store.Clear();
    QVERIFY(changes.isEmpty());

    store.SetCacheSize(1);
    AddPages(store, 3);
    changes.clear();
    QCOMPARE(OpenPageFiles().size(), 1);
    store.Clear();
    QCOMPARE(changes, (QList<QPair<int, int>>{{0, -1}}));
    QCOMPARE(store.Count(), 0);
    QCOMPARE(store.CachedCount(), 0);
    QVERIFY(store.TempFile() == nullptr);
    QVERIFY(OpenPageFiles().isEmpty());

    AddPages(store, 2); // a later eviction opens a new file
    QCOMPARE(OpenPageFiles().size(), 1);
    QCOMPARE(store.Metafiles(0).SaveToData(), MakePage(0)->SaveToData());
}

void TestPageStore::indexOutsideTheStoreIsAListError() {
    TMetafileList store;
    AddPages(store, 2);
    for (int index : {-1, 2}) {
        try {
            store.Metafiles(index);
            QFAIL("no error");
        } catch (const EListError& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("List index out of bounds (%1)").arg(index));
        }
    }
}

void TestPageStore::theFileNeverOutlivesTheStore() {
    {
        TMetafileList store;
        AddPages(store, 12);
        const QStringList open = OpenPageFiles();
        QCOMPARE(open.size(), 1);
        // Unlinked at once: nothing to find in the folder even while the store lives, or after a crash.
        QVERIFY(open.first().startsWith(tempDir_->path() + QLatin1String("/PX")));
        QVERIFY(open.first().endsWith(QLatin1String("(deleted)")));
        QVERIFY(QDir(tempDir_->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        // Programs the preview starts (a print spooler) do not inherit it.
        QVERIFY(::fcntl(store.TempFile()->Handle(), F_GETFD) & FD_CLOEXEC);
    }
    QVERIFY(OpenPageFiles().isEmpty());
}

void TestPageStore::aFullDiskLosesNoPage() {
    TMetafileList store(OpenFullDisk);
    AddPages(store, 10);
    try {
        store.Add(*MakePage(10));
        QFAIL("no error");
    } catch (const EWriteError& error) {
        QVERIFY2(QByteArray(error.what()).startsWith("Stream write error"), error.what());
        QVERIFY2(QByteArray(error.what()).contains("No space left on device"), error.what());
    }
    QCOMPARE(store.Count(), 10);
    QCOMPARE(store.CachedCount(), 10);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(store.Entries(i).States(), States(InMemory | Changed));
        QCOMPARE(store.Metafiles(i).SaveToData(), MakePage(i)->SaveToData());
    }
    // Reading every page counted a use, so the new page would make room by writing the untouched
    // one, which fails again; with more room the store carries on.
    QVERIFY_THROWS_EXCEPTION(EWriteError, store.SetCacheSize(9));
    store.SetCacheSize(12);
    AddPages(store, 2, 10);
    QCOMPARE(store.Count(), 12);
}

void TestPageStore::aMissingTempFolderLosesNoPage() {
    TMetafileList store;
    AddPages(store, 10);
    qputenv("TMPDIR", QFile::encodeName(tempDir_->path() + QLatin1String("/missing")));
    try {
        store.Add(*MakePage(10));
        QFAIL("no error");
    } catch (const EWriteError& error) {
        QVERIFY2(QByteArray(error.what()).contains("missing"), error.what());
    }
    QCOMPARE(store.Count(), 10);
    QCOMPARE(store.Entries(9).States(), States(InMemory | Changed));

    // Once the folder is there again, the next page that has to leave memory goes to a new file.
    qputenv("TMPDIR", QFile::encodeName(tempDir_->path()));
    store.Add(*MakePage(10));
    QCOMPARE(store.Entries(9).States(), States(InTempFile));
    QCOMPARE(store.Metafiles(9).SaveToData(), MakePage(9)->SaveToData());
}

void TestPageStore::aHalfWrittenCopyIsCutOff() {
    TMetafileList store;
    store.SetCacheSize(1);
    AddPages(store, 2); // page 0's copy is the whole file
    const qint64 fileSize = store.TempFile()->Size();

    // The file may grow by half a page only: writing page 1 stops in the middle.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(fileSize + fileSize / 2);
    ::setrlimit(RLIMIT_FSIZE, &limited);
    bool failed = false;
    try {
        store.Add(*MakePage(2));
    } catch (const EWriteError&) {
        failed = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(failed);
    QCOMPARE(store.TempFile()->Size(), fileSize);
    QCOMPARE(store.Entries(1).States(), States(InMemory | Changed));

    // Page 0's copy still ends the file, so redrawing it rewrites it in place.
    store.SetCacheSize(2);
    store.Metafiles(1);
    store.Metafiles(1);
    DrawPage(store.Metafiles(0), 77);
    store.SetCacheSize(1); // page 0, used less than page 1, leaves
    QCOMPARE(store.Entries(0).States(), States(InTempFile));
    QCOMPARE(store.Entries(0).Offset(), 0);
    QCOMPARE(store.TempFile()->Size(), qint64(store.Entries(0).Size()));
    QCOMPARE(store.Metafiles(0).SaveToData(), MakePage(77)->SaveToData());
}

void TestPageStore::damagedCopiesAreRefused_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("bytes overwritten") << QStringLiteral("overwrite");
    QTest::newRow("another page's copy") << QStringLiteral("swap");
    QTest::newRow("file cut short") << QStringLiteral("truncate");
}

void TestPageStore::damagedCopiesAreRefused() {
    QFETCH(QString, damage);
    TMetafileList store;
    store.SetCacheSize(1);
    AddPages(store, 3); // pages 0 and 1 in the file, the same length but different drawings
    const TMetafileEntry& victim = store.Entries(0);
    const TMetafileEntry& other = store.Entries(1);
    QCOMPARE(victim.Size(), other.Size());
    const int handle = store.TempFile()->Handle();
    if (damage == QLatin1String("overwrite")) {
        const QByteArray junk(8, 'x');
        QCOMPARE(::pwrite(handle, junk.constData(), junk.size(), victim.Offset() + victim.Size() / 2),
                 ssize_t(junk.size()));
    } else if (damage == QLatin1String("swap")) {
        // A well-formed page, only not this one: the page's own format cannot tell.
        QByteArray copy(other.Size(), '\0');
        QCOMPARE(::pread(handle, copy.data(), copy.size(), other.Offset()), ssize_t(copy.size()));
        QCOMPARE(::pwrite(handle, copy.constData(), copy.size(), victim.Offset()), ssize_t(copy.size()));
    } else {
        QCOMPARE(::ftruncate(handle, victim.Size() / 2), 0);
    }
    QVERIFY_THROWS_EXCEPTION(EReadError, store.Metafiles(0));
    QCOMPARE(victim.States(), States(InTempFile));
    QCOMPARE(store.Count(), 3);
    store.Clear();
}

QTEST_MAIN(TestPageStore)
#include "tst_page_store.moc"
