// Printing from the preview control on a stand-in printer: the order of events and progress, page
// ranges, aborts and failures, where pages land on the paper, gray printing, the paper handed to the
// printer and taken from it, form names, and documents printed as they are drawn.
#include "FakePrinter.h"
#include "preview/Preview.h"

#include <QtTest>

#include <stdexcept>

using namespace preview;
using previewtest::TFakePrinter;

class TestPrintPages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aOnePageJobReportsNoughtThenAHundredBetweenBeforeAndAfter();
    void thePageRangeIsClampedToTheDocument_data();
    void thePageRangeIsClampedToTheDocument();
    void anAbortFromTheProgressStopsTheJob_data();
    void anAbortFromTheProgressStopsTheJob();
    void aFailingHandlerWithdrawsTheJobAndPropagates();
    void theSilentAbortEndsPrintingQuietly();
    void aPrinterThatCannotStartFailsAfterAnnouncingTheEnd();
    void nothingIsPrintedWhileBusyOrWithoutAPrinter();
    void thePrintableAreaAndThePaperRectComeFromThePrinter();
    void pagesLandOnThePaperWithThePrintLayers();
    void grayPrintingConvertsThePageWithTheGraySettings();
    void thePaperIsGivenToThePrinter_data();
    void thePaperIsGivenToThePrinter();
    void thePaperIsTakenFromThePrinterWhenADocumentBegins_data();
    void thePaperIsTakenFromThePrinterWhenADocumentBegins();
    void formNamesComeFromThePrintersFormsOrADescription_data();
    void formNamesComeFromThePrintersFormsOrADescription();
    void aDirectDocumentGoesStraightToThePrinterInUnits_data();
    void aDirectDocumentGoesStraightToThePrinterInUnits();
    void aDirectDocumentCanBeAborted();

private:
    TPrintPreview* preview_ = nullptr;
    TFakePrinter* printer_ = nullptr;
    QStringList events_;
    void Listen();
};

namespace {

const QColor kInk(200, 30, 30);
const QRect kBlock(5000, 5000, 5000, 5000); // 50 to 100 mm from the paper's corner, in mmHiMetric

// Records `pages` pages, each with kBlock filled.
void Record(TPrintPreview& preview, int pages) {
    preview.BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            preview.NewPage();
        preview.Canvas()->Painter().fillRect(kBlock, kInk);
    }
    preview.EndDoc();
}

// A point of the fake's page image, given in millimetres from the paper's corner.
QColor At(const TFakePrinter& printer, const QImage& page, double xmm, double ymm) {
    const QPoint offset = printer.PrintableAreaPixels().topLeft();
    const QPoint pixel(qRound(xmm / 25.4 * printer.dpi) - offset.x(),
                       qRound(ymm / 25.4 * printer.dpi) - offset.y());
    return page.pixelColor(pixel);
}

} // namespace

void TestPrintPages::init() {
    preview_ = new TPrintPreview;
    auto printer = std::make_unique<TFakePrinter>();
    printer_ = printer.get();
    preview_->SetPrinter(std::move(printer));
    preview_->SetPrintJobTitle(QStringLiteral("Training Cycle"));
    events_.clear();
}

void TestPrintPages::cleanup() {
    delete preview_;
    preview_ = nullptr;
    printer_ = nullptr;
}

void TestPrintPages::Listen() {
    connect(preview_, &TPrintPreview::OnStateChange, preview_,
            [this] { events_ << QStringLiteral("state %1").arg(int(preview_->State())); });
    connect(preview_, &TPrintPreview::OnBeforePrint, preview_, [this] { events_ << "before"; });
    connect(preview_, &TPrintPreview::OnAfterPrint, preview_, [this] { events_ << "after"; });
    connect(preview_, &TPrintPreview::OnAbort, preview_, [this] { events_ << "abort"; });
    connect(preview_, &TPrintPreview::OnPrintProgress, preview_, [this](int page, int progress, bool&) {
        events_ << QStringLiteral("page %1 %2%").arg(page).arg(progress);
    });
    connect(preview_, &TPrintPreview::OnPrintBackground, preview_,
            [this](int page, TCanvas&) { events_ << QStringLiteral("background %1").arg(page); });
    connect(preview_, &TPrintPreview::OnPrintAnnotation, preview_,
            [this](int page, TCanvas&) { events_ << QStringLiteral("annotation %1").arg(page); });
}

void TestPrintPages::aOnePageJobReportsNoughtThenAHundredBetweenBeforeAndAfter() {
    Record(*preview_, 1);
    Listen();
    preview_->PrintPages(1, 1);
    QCOMPARE(events_, QStringList({"state 2", "before", "page 1 0%", "background 1", "annotation 1",
                                   "page 1 100%", "after", "state 0"}));
    QCOMPARE(printer_->log, QStringList({"SetPaper(A4,portrait)", "BeginDoc(Training Cycle)", "EndDoc"}));
    QCOMPARE(printer_->pages.size(), size_t(1));
    QVERIFY(printer_->Title().isEmpty());
    QVERIFY(!preview_->Aborted());
    QCOMPARE(preview_->State(), TPreviewState::Idle);
}

void TestPrintPages::thePageRangeIsClampedToTheDocument_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("progress");
    QTest::newRow("0 to 99: all three") << 0 << 99 << QStringList{"page 1 0%",  "page 1 33%", "page 2 33%",
                                                                  "page 2 67%", "page 3 67%", "page 3 100%"};
    QTest::newRow("2 to 3") << 2 << 3 << QStringList{"page 2 0%", "page 2 50%", "page 3 50%", "page 3 100%"};
    QTest::newRow("3 to 2: none") << 3 << 2 << QStringList{};
    QTest::newRow("5 to 9: past the end") << 5 << 9 << QStringList{};
}

void TestPrintPages::thePageRangeIsClampedToTheDocument() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, progress);
    Record(*preview_, 3);
    Listen();
    preview_->PrintPages(from, to);
    QStringList reported;
    for (const QString& event : std::as_const(events_))
        if (event.startsWith("page"))
            reported << event;
    QCOMPARE(reported, progress);
    const int pages = int(progress.size()) / 2;
    QCOMPARE(printer_->pages.size(), size_t(pages));
    QCOMPARE(printer_->log.count("NewPage"), std::max(pages - 1, 0));
    if (pages == 0) {
        QVERIFY(events_.isEmpty());
        QVERIFY(printer_->log.isEmpty());
    }
}

void TestPrintPages::anAbortFromTheProgressStopsTheJob_data() {
    QTest::addColumn<QString>("abortAt");
    QTest::addColumn<int>("printed");
    QTest::newRow("first progress") << "page 1 0%" << 0;
    QTest::newRow("after the second page") << "page 2 67%" << 2;
}

void TestPrintPages::anAbortFromTheProgressStopsTheJob() {
    QFETCH(QString, abortAt);
    QFETCH(int, printed);
    Record(*preview_, 3);
    Listen();
    connect(preview_, &TPrintPreview::OnPrintProgress, preview_, [&](int page, int progress, bool& abortIt) {
        if (QStringLiteral("page %1 %2%").arg(page).arg(progress) == abortAt)
            abortIt = true;
    });
    preview_->Print();
    // The job is withdrawn at once, the state goes back to idle with the abort, and the end still follows.
    QCOMPARE(events_.mid(events_.indexOf(abortAt)), QStringList({abortAt, "abort", "state 0", "after"}));
    QCOMPARE(printer_->log.last(), QStringLiteral("Abort"));
    QVERIFY(!printer_->log.contains("EndDoc"));
    QCOMPARE(int(printer_->log.count("NewPage")), std::max(printed - 1, 0));
    QVERIFY(preview_->Aborted());
    QCOMPARE(preview_->State(), TPreviewState::Idle);
    QCOMPARE(preview_->TotalPages(), 3); // printing never touches the pages
}

void TestPrintPages::aFailingHandlerWithdrawsTheJobAndPropagates() {
    Record(*preview_, 3);
    Listen();
    connect(preview_, &TPrintPreview::OnPrintBackground, preview_, [](int page, TCanvas&) {
        if (page == 2)
            throw std::runtime_error("background failed");
    });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, preview_->Print());
    QCOMPARE(events_.mid(events_.size() - 2), QStringList({"after", "state 0"}));
    QVERIFY(!events_.contains("page 2 67%"));
    QCOMPARE(printer_->log.last(), QStringLiteral("Abort"));
    QVERIFY(preview_->Aborted());
    QCOMPARE(preview_->State(), TPreviewState::Idle);
    // The control is usable again: the next job prints every page.
    disconnect(preview_, &TPrintPreview::OnPrintBackground, nullptr, nullptr);
    printer_->log.clear();
    preview_->Print();
    QCOMPARE(printer_->log.last(), QStringLiteral("EndDoc"));
    QVERIFY(!preview_->Aborted());
}

void TestPrintPages::theSilentAbortEndsPrintingQuietly() {
    Record(*preview_, 2);
    Listen();
    connect(preview_, &TPrintPreview::OnPrintAnnotation, preview_, [](int, TCanvas&) { throw EAbort(); });
    preview_->Print();
    QCOMPARE(events_.mid(events_.size() - 2), QStringList({"after", "state 0"}));
    QCOMPARE(printer_->log.last(), QStringLiteral("Abort"));
    QVERIFY(preview_->Aborted());
}

void TestPrintPages::aPrinterThatCannotStartFailsAfterAnnouncingTheEnd() {
    Record(*preview_, 1);
    Listen();
    printer_->failBegin = true;
    QVERIFY_THROWS_EXCEPTION(EPrintError, preview_->Print());
    QCOMPARE(events_, QStringList({"state 2", "before", "after", "state 0"}));
    QVERIFY(printer_->Title().isEmpty());
}

void TestPrintPages::nothingIsPrintedWhileBusyOrWithoutAPrinter() {
    Record(*preview_, 2);
    Listen();
    preview_->BeginDoc(); // recording
    events_.clear();
    preview_->Print();
    QVERIFY(events_.isEmpty());
    preview_->EndDoc();

    printer_->installed = false;
    preview_->SetPaperType(pLetter);
    events_.clear();
    preview_->Print();
    QVERIFY(events_.isEmpty());
    QVERIFY(printer_->log.isEmpty());
    QCOMPARE(preview_->PrinterPageBounds(), preview_->PageBounds());
    QVERIFY(preview_->PrinterPaperRect().isEmpty());
    QCOMPARE(preview_->FormName(), QString());
    QVERIFY(preview_->PaperFormGenerated());
    preview_->ApplyPaperToPrinter();
    QVERIFY(printer_->log.isEmpty());
    QCOMPARE(printer_->layout.pageSize().id(), QPageSize::A4);
}

void TestPrintPages::thePrintableAreaAndThePaperRectComeFromThePrinter() {
    // A4 with margins of 10 mm across and 5 mm down.
    const QRect area = preview_->PrinterPageBounds();
    QVERIFY2(qAbs(area.left() - 1000) <= 50 && qAbs(area.top() - 500) <= 50,
             qPrintable(QDebug::toString(area)));
    QVERIFY2(qAbs(area.width() - 19000) <= 60 && qAbs(area.height() - 28700) <= 60,
             qPrintable(QDebug::toString(area)));
    preview_->SetUnits(mmLoMetric);
    const QRect tenths = preview_->PrinterPageBounds();
    QVERIFY(qAbs(tenths.left() - 100) <= 5 && qAbs(tenths.width() - 1900) <= 6);

    // The paper's corner lies at minus the printable area's corner, the paper in printer pixels.
    const QPoint corner = printer_->PrintableAreaPixels().topLeft();
    QVERIFY(!corner.isNull());
    QCOMPARE(preview_->PrinterPaperRect(), QRect(-corner, QSize(496, 702)));
    preview_->SetPaperType(pLetter); // the control's paper, whatever the printer holds
    QCOMPARE(preview_->PrinterPaperRect(), QRect(-corner, QSize(510, 660)));
    preview_->SetUsePrinterOptions(true); // the printer's paper
    QCOMPARE(preview_->PrinterPaperRect().size(), printer_->PaperPixels().size());
}

void TestPrintPages::pagesLandOnThePaperWithThePrintLayers() {
    Record(*preview_, 1);
    connect(preview_, &TPrintPreview::OnPrintBackground, preview_, [](int, TCanvas& canvas) {
        // In printer pixels from the printable area's corner; a changed pen must not reach the page.
        canvas.Painter().fillRect(0, 0, 10, 10, Qt::blue);
        canvas.Painter().scale(3, 3);
    });
    preview_->Print();
    QCOMPARE(printer_->pages.size(), size_t(1));
    const QImage& page = printer_->pages[0];
    QCOMPARE(page.pixelColor(5, 5), QColor(Qt::blue));
    QCOMPARE(At(*printer_, page, 75, 75), kInk);
    QCOMPARE(At(*printer_, page, 45, 75), QColor(Qt::white));
    QCOMPARE(At(*printer_, page, 105, 75), QColor(Qt::white));
    QCOMPARE(At(*printer_, page, 75, 105), QColor(Qt::white));
}

void TestPrintPages::grayPrintingConvertsThePageWithTheGraySettings() {
    Record(*preview_, 1);
    preview_->SetGrayscale(gsPreview);
    preview_->Print();
    QCOMPARE(At(*printer_, printer_->pages.back(), 75, 75), kInk); // gray on screen only

    preview_->SetGrayscale(gsPrint);
    preview_->Print();
    // 30 x 200 + 59 x 30 + 11 x 30 = 8100: gray 81; the white paper stays white.
    QCOMPARE(At(*printer_, printer_->pages.back(), 75, 75), QColor(81, 81, 81));
    QCOMPARE(At(*printer_, printer_->pages.back(), 30, 30), QColor(Qt::white));

    preview_->SetGrayBrightness(50); // offset (12750 - 12800) / 100 + 128 = 128
    preview_->Print();
    QCOMPARE(At(*printer_, printer_->pages.back(), 75, 75), QColor(209, 209, 209));
}

void TestPrintPages::thePaperIsGivenToThePrinter_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("customSize"); // in mmHiMetric, as it lies
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pageSizeId");
    QTest::addColumn<QSizeF>("millimetres"); // portrait
    QTest::newRow("A4") << int(pA4) << QSize() << false << int(QPageSize::A4) << QSizeF(210, 297);
    QTest::newRow("Letter landscape")
        << int(pLetter) << QSize() << true << int(QPageSize::Letter) << QSizeF(215.9, 279.4);
    QTest::newRow("Envelope DL") << int(pEnvDL) << QSize() << false << int(QPageSize::EnvelopeDL)
                                 << QSizeF(110, 220);
    QTest::newRow("custom 100 x 150")
        << int(pCustom) << QSize(10000, 15000) << false << int(QPageSize::Custom) << QSizeF(100, 150);
    QTest::newRow("custom 150 x 100 landscape")
        << int(pCustom) << QSize(15000, 10000) << true << int(QPageSize::Custom) << QSizeF(100, 150);
}

void TestPrintPages::thePaperIsGivenToThePrinter() {
    QFETCH(int, type);
    QFETCH(QSize, customSize);
    QFETCH(bool, landscape);
    QFETCH(int, pageSizeId);
    QFETCH(QSizeF, millimetres);
    preview_->SetPaperType(TPaperType(type));
    if (landscape)
        preview_->SetOrientation(poLandscape);
    if (customSize.isValid())
        preview_->SetPaperSize(customSize.width(), customSize.height());
    QCOMPARE(preview_->PaperType(), TPaperType(type));
    preview_->ApplyPaperToPrinter();
    const QPageLayout layout = printer_->layout;
    QCOMPARE(int(layout.pageSize().id()), pageSizeId);
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    QVERIFY2(qAbs(size.width() - millimetres.width()) < 0.2 &&
                 qAbs(size.height() - millimetres.height()) < 0.2,
             qPrintable(QDebug::toString(size)));
    QCOMPARE(layout.orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    // A form of the printer that matches is handed over as the printer names it.
    const QPageSize form(QSizeF(millimetres), QPageSize::Millimeter, QStringLiteral("Sheet of the printer"),
                         QPageSize::ExactMatch);
    printer_->forms = {form};
    preview_->SetPaperType(pA3);
    preview_->SetPaperType(TPaperType(type));
    if (customSize.isValid())
        preview_->SetPaperSize(customSize.width(), customSize.height());
    QCOMPARE(preview_->FormName(), QStringLiteral("Sheet of the printer"));
    preview_->ApplyPaperToPrinter();
    QCOMPARE(printer_->layout.pageSize().name(), QStringLiteral("Sheet of the printer"));
}

void TestPrintPages::thePaperIsTakenFromThePrinterWhenADocumentBegins_data() {
    QTest::addColumn<QPageSize>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Letter landscape")
        << QPageSize(QPageSize::Letter) << true << int(pLetter) << QSize(27940, 21590);
    QTest::newRow("A5") << QPageSize(QPageSize::A5) << false << int(pA5) << QSize(14800, 21000);
    QTest::newRow("custom 100 x 150")
        << QPageSize(QSizeF(100, 150), QPageSize::Millimeter, QString(), QPageSize::ExactMatch) << false
        << int(pCustom) << QSize(10000, 15000);
}

void TestPrintPages::thePaperIsTakenFromThePrinterWhenADocumentBegins() {
    QFETCH(QPageSize, paper);
    QFETCH(bool, landscape);
    QFETCH(int, type);
    QFETCH(QSize, size);
    printer_->layout =
        QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    printer_->forms = {paper};
    preview_->SetUsePrinterOptions(true);
    QSignalSpy paperChanged(preview_, &TPrintPreview::OnPaperChange);
    Record(*preview_, 1);
    QCOMPARE(paperChanged.size(), 1);
    QCOMPARE(preview_->PaperType(), TPaperType(type));
    QCOMPARE(preview_->Orientation(), landscape ? poLandscape : poPortrait);
    // Custom paper comes through printer pixels at 60 dpi, within a pixel.
    QVERIFY2(qAbs(preview_->PaperWidth() - size.width()) <= 43 &&
                 qAbs(preview_->PaperHeight() - size.height()) <= 43,
             qPrintable(QStringLiteral("%1 x %2").arg(preview_->PaperWidth()).arg(preview_->PaperHeight())));
    QCOMPARE(preview_->FormName(), paper.name());
    QVERIFY(!preview_->PaperFormGenerated());
    // The printer's own paper is printed on as it is.
    printer_->log.clear();
    preview_->Print();
    QVERIFY(!printer_->log.join(' ').contains("SetPaper"));
}

void TestPrintPages::formNamesComeFromThePrintersFormsOrADescription_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("customSize"); // in Units, as it lies
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QList<QPageSize>>("forms");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("generated");
    const QPageSize a4(QPageSize::A4);
    const QPageSize letter(QPageSize::Letter);
    const QPageSize postcard(QSizeF(150, 100), QPageSize::Millimeter, "Postcard across",
                             QPageSize::ExactMatch);
    QTest::newRow("A4 form") << int(pA4) << QSize() << int(mmHiMetric) << false << QList{letter, a4}
                             << a4.name() << false;
    QTest::newRow("A4 landscape keeps the form")
        << int(pA4) << QSize() << int(mmHiMetric) << true << QList{a4} << a4.name() << false;
    QTest::newRow("100 x 150 mm") << int(pCustom) << QSize(10000, 15000) << int(mmHiMetric) << false
                                  << QList{letter, a4} << "100mm x 150mm" << true;
    QTest::newRow("150 x 100 mm landscape") << int(pCustom) << QSize(15000, 10000) << int(mmHiMetric) << true
                                            << QList{a4} << "150mm x 100mm Rotated" << true;
    QTest::newRow("a turned form") << int(pCustom) << QSize(10000, 15000) << int(mmHiMetric) << false
                                   << QList{postcard} << "Postcard across Rotated" << true;
    QTest::newRow("Letter in inches")
        << int(pLetter) << QSize() << int(mmHiEnglish) << false << QList{a4} << "8.5\" x 11\"" << true;
    QTest::newRow("no forms at all") << int(pA5) << QSize() << int(mmLoMetric) << false << QList<QPageSize>{}
                                     << "148mm x 210mm" << true;
}

void TestPrintPages::formNamesComeFromThePrintersFormsOrADescription() {
    QFETCH(int, type);
    QFETCH(QSize, customSize);
    QFETCH(int, units);
    QFETCH(bool, landscape);
    QFETCH(QList<QPageSize>, forms);
    QFETCH(QString, name);
    QFETCH(bool, generated);
    printer_->forms = forms;
    preview_->SetUnits(TUnits(units));
    preview_->SetPaperType(TPaperType(type));
    if (landscape)
        preview_->SetOrientation(poLandscape);
    if (customSize.isValid())
        preview_->SetPaperSize(customSize.width(), customSize.height());
    QCOMPARE(preview_->FormName(), name);
    QCOMPARE(preview_->PaperFormGenerated(), generated);
    // The name is kept until the paper changes.
    printer_->forms.clear();
    QCOMPARE(preview_->FormName(), name);
    preview_->SetPaperType(pB5);
    QVERIFY(preview_->FormName() != name);
}

void TestPrintPages::aDirectDocumentGoesStraightToThePrinterInUnits_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<QRect>("block"); // kBlock in those units
    QTest::newRow("0.01 mm") << int(mmHiMetric) << kBlock;
    QTest::newRow("0.1 mm") << int(mmLoMetric) << QRect(500, 500, 500, 500);
    QTest::newRow("points") << int(mmPoints) << QRect(142, 142, 141, 141);
}

void TestPrintPages::aDirectDocumentGoesStraightToThePrinterInUnits() {
    QFETCH(int, units);
    QFETCH(QRect, block);
    Record(*preview_, 2); // the recorded pages stay as they are
    preview_->SetUnits(TUnits(units));
    preview_->SetDirectPrint(true);
    QSignalSpy newPages(preview_, &TPrintPreview::OnNewPage);
    QSignalSpy endPages(preview_, &TPrintPreview::OnEndPage);
    preview_->BeginDoc();
    QCOMPARE(preview_->State(), TPreviewState::Printing);
    QVERIFY(preview_->DirectPrinting());
    QCOMPARE(preview_->TotalPages(), 0);
    QVERIFY(preview_->Canvas() != nullptr);
    preview_->Canvas()->Painter().fillRect(block, kInk);
    preview_->NewPage();
    QCOMPARE(preview_->DirectPageCount(), 1);
    QCOMPARE(preview_->TotalPages(), 1);
    preview_->Canvas()->Painter().fillRect(block.translated(0, block.height()), kInk);
    preview_->EndDoc();
    QCOMPARE(preview_->State(), TPreviewState::Idle);
    QVERIFY(!preview_->DirectPrinting());
    QCOMPARE(newPages.size(), 2);
    QCOMPARE(endPages.size(), 2);
    QCOMPARE(preview_->TotalPages(), 2);
    QCOMPARE(printer_->log,
             QStringList({"SetPaper(A4,portrait)", "BeginDoc(Training Cycle)", "NewPage", "EndDoc"}));
    QCOMPARE(printer_->pages.size(), size_t(2));
    QCOMPARE(At(*printer_, printer_->pages[0], 75, 75), kInk);
    QCOMPARE(At(*printer_, printer_->pages[0], 75, 125), QColor(Qt::white));
    QCOMPARE(At(*printer_, printer_->pages[1], 75, 125), kInk); // the second page mapped as the first
    QCOMPARE(At(*printer_, printer_->pages[1], 75, 75), QColor(Qt::white));
    QVERIFY(preview_->Canvas() == nullptr);
}

void TestPrintPages::aDirectDocumentCanBeAborted() {
    preview_->SetDirectPrint(true);
    Listen();
    preview_->BeginDoc();
    preview_->Abort();
    QCOMPARE(events_, QStringList({"state 2", "abort", "state 0"}));
    QCOMPARE(printer_->log.last(), QStringLiteral("Abort"));
    QVERIFY(preview_->Aborted());
    QVERIFY(!preview_->DirectPrinting());
    QVERIFY(preview_->Canvas() == nullptr);
    preview_->EndDoc(); // nothing is open any more
    QCOMPARE(printer_->log.last(), QStringLiteral("Abort"));

    // Without a printer a direct document cannot begin, and the control stays idle.
    printer_->installed = false;
    QVERIFY_THROWS_EXCEPTION(EPrintError, preview_->BeginDoc());
    QCOMPARE(preview_->State(), TPreviewState::Idle);
    QVERIFY(preview_->Canvas() == nullptr);
}

QTEST_MAIN(TestPrintPages)
#include "tst_print_pages.moc"
