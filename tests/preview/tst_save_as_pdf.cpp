// Saving the preview's pages as PDF, against a stand-in library beside the test program that logs its
// calls: the order and arguments of the calls, the page bytes handed over, the control's states, and a
// failure of the library reported after the document is ended.
#include "PageDrawing.h"
#include "preview/Preview.h"

#include <QtTest>

using namespace preview;

class TestSaveAsPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void pagesGoToTheLibraryInOrderWithTheirPaper_data();
    void pagesGoToTheLibraryInOrderWithTheirPaper();
    void aFailureIsRaisedAfterTheDocumentEndsAndTheControlIsIdle();
    void aBusyControlDoesNotSave();

private:
    const char* (*fakeLog_)() = nullptr;
    void (*fakeReset_)(const char*, int, const char*) = nullptr;
    int (*fakeLogSize_)() = nullptr;
    QByteArray Log() const { return QByteArray(fakeLog_(), fakeLogSize_()); }
};

void TestSaveAsPdf::initTestCase() {
    // The component started by itself with the application object: this program never asks it to.
    QVERIFY(TScreenCursors::Registered(crHand) && TScreenCursors::Registered(crGrab));
    TPrintPreview preview;
    QVERIFY2(preview.CanSaveAsPDF(), "the stand-in library is beside the test program");
    QLibrary fake(TPrintPreview::PdfLibraryFile());
    fakeLog_ = reinterpret_cast<const char* (*)()>(fake.resolve("FakeLog"));
    fakeReset_ = reinterpret_cast<void (*)(const char*, int, const char*)>(fake.resolve("FakeReset"));
    fakeLogSize_ = reinterpret_cast<int (*)()>(fake.resolve("FakeLogSize"));
    QVERIFY(fakeLog_ != nullptr && fakeReset_ != nullptr && fakeLogSize_ != nullptr);
}

void TestSaveAsPdf::init() {
    fakeReset_(nullptr, 0, nullptr);
}

namespace {

void Record(TPrintPreview& preview, int pages) {
    preview.BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            preview.NewPage();
        preview.Canvas()->Painter().drawText(1000, 1000 * n, QStringLiteral("Week %1").arg(n));
    }
    preview.EndDoc();
}

} // namespace

void TestSaveAsPdf::pagesGoToTheLibraryInOrderWithTheirPaper_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSize>("customSize"); // in mmHiMetric, as it lies
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("setPage");
    QTest::newRow("A4, three pages") << int(pA4) << false << QSize() << int(mmHiMetric) << 3
                                     << "SetPage(2,0,21000,29700)";
    QTest::newRow("Letter") << int(pLetter) << false << QSize() << int(mmHiMetric) << 1
                            << "SetPage(1,0,21590,27940)";
    QTest::newRow("custom 100 x 150 mm")
        << int(pCustom) << false << QSize(10000, 15000) << int(mmHiMetric) << 2 << "SetPage(0,0,10000,15000)";
    QTest::newRow("A4 landscape in 0.1 mm")
        << int(pA4) << true << QSize() << int(mmLoMetric) << 2 << "SetPage(2,1,29700,21000)";
    QTest::newRow("Executive in points")
        << int(pExecutive) << false << QSize() << int(mmPoints) << 1 << "SetPage(11,0,18415,26670)";
    QTest::newRow("B5 envelope has a code")
        << int(pEnvB5) << false << QSize() << int(mmHiMetric) << 1 << "SetPage(13,0,17600,25000)";
    QTest::newRow("A2 has none") << int(pA2) << false << QSize() << int(mmHiMetric) << 1
                                 << "SetPage(0,0,42000,59400)";
}

void TestSaveAsPdf::pagesGoToTheLibraryInOrderWithTheirPaper() {
    QFETCH(int, type);
    QFETCH(bool, landscape);
    QFETCH(QSize, customSize);
    QFETCH(int, units);
    QFETCH(int, pages);
    QFETCH(QString, setPage);
    TPrintPreview preview;
    preview.SetUnits(TUnits(units));
    preview.SetPaperType(TPaperType(type));
    if (landscape)
        preview.SetOrientation(poLandscape);
    if (customSize.isValid())
        preview.SetPaperSize(customSize.width(), customSize.height());
    Record(preview, pages);
    QStringList states;
    connect(&preview, &TPrintPreview::OnStateChange, &preview,
            [&] { states << QString::number(int(preview.State())); });

    preview.SaveAsPDF(QStringLiteral("/tmp/rüstig routine.pdf"));

    QByteArray expected = "BeginDoc(/tmp/r\xC3\xBCstig routine.pdf)\n";
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            expected += "NewPage\n";
        expected += setPage.toUtf8() + "\n";
        expected += "PrintPageM(" + preview.Pages(page)->SaveToData() + ")\n";
    }
    expected += "EndDoc\n";
    QCOMPARE(Log(), expected);
    QCOMPARE(states, QStringList({"8", "0"}));
    QCOMPARE(preview.TotalPages(), pages);
}

void TestSaveAsPdf::aFailureIsRaisedAfterTheDocumentEndsAndTheControlIsIdle() {
    TPrintPreview preview;
    Record(preview, 3);
    QStringList seen;
    connect(&preview, &TPrintPreview::OnStateChange, &preview, [&] {
        seen << QStringLiteral("state %1%2")
                    .arg(int(preview.State()))
                    .arg(Log().endsWith("EndDoc\n") ? " after EndDoc" : "");
    });
    fakeReset_("PrintPageM", 2, "No space left on device");
    try {
        preview.SaveAsPDF(QStringLiteral("/tmp/routine.pdf"));
        QFAIL("a failed save must raise");
    } catch (const EPdfError& error) {
        QCOMPARE(QString(error.what()), QStringLiteral("No space left on device"));
        QCOMPARE(preview.State(), TPreviewState::Idle);
    }
    const QStringList calls = QString::fromLatin1(Log()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(calls.last(), QStringLiteral("EndDoc"));
    QCOMPARE(calls.filter("PrintPageM").size(), 2); // no page after the failed one
    // Idle only once the library's document is ended.
    QCOMPARE(seen, QStringList({"state 8", "state 0 after EndDoc"}));
}

void TestSaveAsPdf::aBusyControlDoesNotSave() {
    TPrintPreview preview;
    Record(preview, 1);
    preview.BeginDoc();
    QVERIFY_THROWS_EXCEPTION(EPdfError, preview.SaveAsPDF(QStringLiteral("/tmp/routine.pdf")));
    QCOMPARE(preview.State(), TPreviewState::Recording);
    QCOMPARE(Log(), QByteArray());
    preview.EndDoc();
    QCOMPARE(preview.TotalPages(), 1);
}

QTEST_MAIN(TestSaveAsPdf)
#include "tst_save_as_pdf.moc"
