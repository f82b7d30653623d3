// The preview control on a system without printers (a CUPS server that does not answer) and without
// the PDF library: printing does nothing, the printable area is the paper, forms are not named, a direct
// document cannot begin, and saving as PDF reports the missing library.
#include "preview/Preview.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QtTest>

using namespace preview;

class TestPrintNoPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printingDoesNothingAndThePrintableAreaIsThePaper();
    void aDirectDocumentCannotBegin();
    void savingAsPdfReportsTheMissingLibrary();
};

void TestPrintNoPrinter::initTestCase() {
    // The component has started by itself; calling its start-up again changes nothing.
    Initialize();
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("this system still lists printers without a CUPS server");
}

void TestPrintNoPrinter::printingDoesNothingAndThePrintableAreaIsThePaper() {
    TPrintPreview preview;
    preview.SetPaperType(pLetter);
    preview.BeginDoc();
    preview.Canvas()->Painter().drawText(1000, 1000, QStringLiteral("Training Cycle"));
    preview.EndDoc();
    QSignalSpy before(&preview, &TPrintPreview::OnBeforePrint);
    QSignalSpy states(&preview, &TPrintPreview::OnStateChange);
    QVERIFY(!preview.PrinterInstalled());
    preview.Print();
    preview.PrintPages(1, 1);
    QCOMPARE(before.size(), 0);
    QCOMPARE(states.size(), 0);
    QCOMPARE(preview.PrinterPageBounds(), QRect(0, 0, 21590, 27940));
    QVERIFY(preview.PrinterPaperRect().isEmpty());
    QCOMPARE(preview.FormName(), QString());
    QVERIFY(preview.PaperFormGenerated());
    // Taking the printer's paper leaves the control's as it is.
    preview.SetUsePrinterOptions(true);
    preview.BeginDoc();
    preview.EndDoc();
    QCOMPARE(preview.PaperType(), pLetter);
    QCOMPARE(preview.TotalPages(), 1);
}

void TestPrintNoPrinter::aDirectDocumentCannotBegin() {
    TPrintPreview preview;
    preview.SetDirectPrint(true);
    QSignalSpy began(&preview, &TPrintPreview::OnBeginDoc);
    QVERIFY_THROWS_EXCEPTION(EPrintError, preview.BeginDoc());
    QCOMPARE(began.size(), 0);
    QCOMPARE(preview.State(), TPreviewState::Idle);
    QVERIFY(preview.Canvas() == nullptr);
}

void TestPrintNoPrinter::savingAsPdfReportsTheMissingLibrary() {
    if (!TPrintPreview::PdfLibraryFile().isEmpty())
        QSKIP("a libdspdf.so is installed on the system's library path");
    TPrintPreview preview;
    preview.BeginDoc();
    preview.EndDoc();
    QVERIFY(!preview.CanSaveAsPDF());
    QSignalSpy states(&preview, &TPrintPreview::OnStateChange);
    try {
        preview.SaveAsPDF(QDir::temp().filePath(QStringLiteral("handvise-never-written.pdf")));
        QFAIL("saving without the library must raise");
    } catch (const EMissingPDFLibrary& error) {
        QCOMPARE(QString(error.what()), QStringLiteral("Cannot locate libdspdf.so"));
    }
    QCOMPARE(states.size(), 0);
    QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("handvise-never-written.pdf"))));
}

int main(int argc, char** argv) {
    // No CUPS server answers on the discard port: the system has no printers. Set before the
    // application object, which loads the print support that reads it.
    qputenv("CUPS_SERVER", "localhost:9");
    QApplication application(argc, argv);
    TestPrintNoPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print_no_printer.moc"
