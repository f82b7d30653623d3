// A program that shows a document in the Handvise print preview: it draws three pages as it would on a
// printer, shows them at 150 % and, given a file name, saves them as PDF and ends.
//   preview_example             a window with the pages
//   preview_example FILE.pdf    writes FILE.pdf (also without a display: QT_QPA_PLATFORM=offscreen)
#include <preview/Preview.h>

#include <QApplication>
#include <QTextStream>

#include <exception>

namespace {

constexpr int kPages = 3;

// One week's page, in hundredths of a millimetre on A4 (21000 x 29700, the preview's default paper).
void DrawPage(preview::TCanvas& canvas, int week) {
    QPainter& painter = canvas.Painter();
    canvas.SetFont(QFont(QStringLiteral("Liberation Sans"), 24, QFont::Bold));
    painter.drawText(QRect(2000, 2000, 17000, 1500), Qt::AlignLeft, QStringLiteral("Week %1").arg(week));
    canvas.SetFont(QFont(QStringLiteral("Liberation Sans"), 12));
    for (int set = 1; set <= 5; ++set)
        painter.drawText(QRect(2000, 3000 + 1000 * set, 17000, 800), Qt::AlignLeft,
                         QStringLiteral("Set %1: %2 lb, %3 repetitions")
                             .arg(set)
                             .arg(90 + 10 * set + 5 * week)
                             .arg(12 - set));
    painter.setPen(QPen(QColor(40, 70, 140), 50));
    painter.drawRect(1500, 1500, 18000, 26700);
    painter.drawText(QRect(2000, 27000, 17000, 600), Qt::AlignRight,
                     QStringLiteral("Page %1 of %2").arg(week).arg(kPages));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);

    // Record the document: every page is drawn once and kept by the preview.
    preview::TPrintPreview preview;
    preview.setWindowTitle(QStringLiteral("Training weeks"));
    preview.BeginDoc();
    for (int week = 1; week <= kPages; ++week) {
        if (week > 1)
            preview.NewPage();
        DrawPage(*preview.Canvas(), week);
    }
    preview.EndDoc();

    // Show it zoomed: the sheet is larger than the window and can be dragged and scrolled.
    preview.resize(800, 600);
    preview.show();
    preview.SetZoom(150);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2)
        return QApplication::exec();

    QTextStream out(stdout);
    out << "pages " << preview.TotalPages() << "\nzoom " << preview.Zoom() << "\nscrolls "
        << (preview.CanScrollVert() ? "yes" : "no") << Qt::endl;
    try {
        preview.SaveAsPDF(arguments[1]);
    } catch (const std::exception& failure) {
        QTextStream(stderr) << failure.what() << Qt::endl;
        return 1;
    }
    out << "pdf library " << preview::TPrintPreview::PdfLibraryFile() << Qt::endl;
    return 0;
}
