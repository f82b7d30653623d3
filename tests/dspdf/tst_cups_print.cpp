// The print path through CUPS: one page printed with QPrinter to the CUPS-PDF queue "PDF" that
// scripts/cups-test-printer.sh sets up, found in CUPS-PDF's output folder and read back with pdfinfo.
#include "tests/support/PdfTools.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

class TestCupsPrint : public QObject {
    Q_OBJECT
private slots:
    void aPrintedPageArrivesAsAPdfOfOneA4Page();
};

void TestCupsPrint::aPrintedPageArrivesAsAPdfOfOneA4Page() {
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
        QSKIP("no CUPS server with the queue PDF answers (scripts/cups-test-printer.sh start sets one up)");
    if (!testsupport::HaveTools({"pdfinfo"}))
        QSKIP("pdfinfo is not installed (poppler-utils; scripts/install-deps.sh installs it)");

    // A title of its own, so that this job's file is told apart from other jobs' files.
    const QString token =
        QStringLiteral("handvise-cups-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
    QPrinter printer(QPrinterInfo::printerInfo(QStringLiteral("PDF")), QPrinter::HighResolution);
    QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
    printer.setDocName(token);
    QVERIFY(printer.setPageSize(QPageSize(QPageSize::A4)));
    printer.setPageOrientation(QPageLayout::Portrait);
    {
        QPainter painter;
        QVERIFY(painter.begin(&printer));
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(24);
        painter.setFont(font);
        painter.drawText(QPoint(600, 1200), QStringLiteral("Training Cycle"));
        painter.drawRect(
            printer.pageLayout().paintRectPixels(printer.resolution()).adjusted(100, 100, -100, -100));
        QVERIFY(painter.end());
    }

    const auto [found, info] = testsupport::WaitForPrintedPdf("*" + token + "*.pdf");
    QVERIFY2(!found.isEmpty(),
             qPrintable("no file with " + token + " in " + testsupport::CupsPdfOutputFolders().join(", ")));
    QFile::remove(found);
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    const QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY2(qAbs(size.captured(1).toDouble() - 595.28) < 1.5 &&
                 qAbs(size.captured(2).toDouble() - 841.89) < 1.5,
             qPrintable(info));
}

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    TestCupsPrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cups_print.moc"
