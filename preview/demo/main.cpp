// A small program that shows the print preview control at work: it records a few pages of mixed
// content and shows them with a zoom box and page buttons. Not installed; for trying the control out.
#include "preview/Preview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMainWindow>
#include <QPainterPath>
#include <QToolBar>
#include <QToolButton>

using namespace preview;

namespace {

// Page content in hundredths of a millimetre on A4 (21000 x 29700).
void DrawPage(TCanvas& canvas, int page, int pages) {
    QPainter& p = canvas.Painter();
    const int left = 2000;
    const int right = 19000;
    canvas.SetFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
    p.setPen(Qt::black);
    p.drawText(QRect(left, 1800, right - left, 1200), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Training log, part %1").arg(page));
    p.setPen(QPen(QColor(40, 70, 140), 60));
    p.drawLine(left, 3200, right, 3200);

    canvas.SetFont(QFont(QStringLiteral("Times New Roman"), 11));
    p.setPen(Qt::black);
    const QString text = QStringLiteral(
        "Each page of this document is recorded once as drawing commands in hundredths of a millimetre "
        "and replayed at whatever zoom the sheet is shown at, so text and lines stay sharp from a "
        "thumbnail up to five times the paper's size. Drag the sheet with the mouse when it is larger "
        "than the window, page with Page Up and Page Down or Shift and the wheel, and zoom with Ctrl "
        "and the wheel or the keypad's plus and minus.");
    p.drawText(QRect(left, 3600, right - left, 3000), Qt::TextWordWrap, text);

    // A table of sets.
    canvas.SetFont(QFont(QStringLiteral("Arial"), 10));
    const int top = 7000;
    const int rowHeight = 700;
    const int columns[] = {left, left + 3000, left + 8000, left + 12500, right};
    p.fillRect(QRect(left, top, right - left, rowHeight), QColor(220, 228, 240));
    const char* headers[] = {"Week", "Setting", "Tension", "Reps"};
    for (int c = 0; c < 4; ++c)
        p.drawText(QRect(columns[c] + 200, top, columns[c + 1] - columns[c] - 400, rowHeight),
                   Qt::AlignVCenter, QString::fromLatin1(headers[c]));
    for (int r = 1; r <= 8; ++r) {
        const int y = top + r * rowHeight;
        const int tension = 120 + 15 * r + 10 * page;
        const QString cells[] = {QString::number(r), QStringLiteral("%1 - %2").arg(2 + r % 5).arg(7 + r % 4),
                                 QStringLiteral("%1.0 lb").arg(tension), QString::number(8 - r / 2)};
        for (int c = 0; c < 4; ++c)
            p.drawText(QRect(columns[c] + 200, y, columns[c + 1] - columns[c] - 400, rowHeight),
                       Qt::AlignVCenter, cells[c]);
    }
    p.setPen(QPen(Qt::black, 20));
    for (int r = 0; r <= 9; ++r)
        p.drawLine(left, top + r * rowHeight, right, top + r * rowHeight);
    for (int x : columns)
        p.drawLine(x, top, x, top + 9 * rowHeight);

    // A bar chart.
    const int chartTop = 14500;
    const int chartBottom = 22500;
    p.setPen(QPen(Qt::black, 30));
    p.drawLine(left, chartBottom, right, chartBottom);
    p.drawLine(left, chartTop, left, chartBottom);
    for (int i = 0; i < 8; ++i) {
        const int h = 1500 + ((i * 37 + page * 53) % 60) * 100;
        QLinearGradient gradient(0, chartBottom - h, 0, chartBottom);
        gradient.setColorAt(0, QColor(230, 120, 40));
        gradient.setColorAt(1, QColor(160, 50, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRect(left + 600 + i * 2000, chartBottom - h, 1300, h);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 110, 60), 50));
    QPainterPath curve;
    curve.moveTo(left, chartBottom - 1000);
    for (int i = 1; i <= 8; ++i)
        curve.lineTo(left + i * 2100, chartBottom - 1000 - i * 700 - (page % 3) * 300);
    p.drawPath(curve);

    // Shapes and a fine print.
    p.setPen(QPen(QColor(90, 40, 140), 40));
    p.setBrush(QColor(200, 180, 240));
    p.drawEllipse(QRect(left, 23500, 3000, 3000));
    p.drawRoundedRect(QRect(left + 4000, 23500, 5000, 3000), 400, 400);
    p.setBrush(Qt::NoBrush);
    canvas.SetFont(QFont(QStringLiteral("Courier New"), 7));
    p.setPen(Qt::darkGray);
    p.drawText(QRect(left + 10000, 23500, right - left - 10000, 3000), Qt::TextWordWrap,
               QStringLiteral("Fine print at 7 points: 0123456789 abcdefghijklmnopqrstuvwxyz "
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    canvas.SetFont(QFont(QStringLiteral("Arial"), 9));
    p.setPen(Qt::black);
    p.drawText(QRect(left, 27800, right - left, 600), Qt::AlignRight,
               QStringLiteral("Page %1 of %2").arg(page).arg(pages));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    RegisterPreviewCursors();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Print preview demo"));
    auto* preview = new TPrintPreview(&window);
    preview->setObjectName(QStringLiteral("PrintPreview1"));
    window.setCentralWidget(preview);

    auto* bar = window.addToolBar(QStringLiteral("Zoom"));
    bar->setMovable(false);
    auto* zoom = new QComboBox(bar);
    zoom->setObjectName(QStringLiteral("ZoomBox"));
    const QList<QPair<QString, int>> choices = {{QStringLiteral("Whole page"), -zsZoomToFit},
                                                {QStringLiteral("Page width"), -zsZoomToWidth},
                                                {QStringLiteral("Page height"), -zsZoomToHeight},
                                                {QStringLiteral("50%"), 50},
                                                {QStringLiteral("75%"), 75},
                                                {QStringLiteral("100%"), 100},
                                                {QStringLiteral("150%"), 150},
                                                {QStringLiteral("200%"), 200},
                                                {QStringLiteral("300%"), 300},
                                                {QStringLiteral("500%"), 500}};
    for (const auto& [text, value] : choices)
        zoom->addItem(text, value);
    bar->addWidget(new QLabel(QStringLiteral(" Zoom: "), bar));
    bar->addWidget(zoom);
    bar->addSeparator();
    auto* previous = new QToolButton(bar);
    previous->setText(QStringLiteral("◀"));
    auto* next = new QToolButton(bar);
    next->setText(QStringLiteral("▶"));
    auto* pageLabel = new QLabel(bar);
    bar->addWidget(previous);
    bar->addWidget(pageLabel);
    bar->addWidget(next);
    auto* zoomLabel = new QLabel(bar);
    bar->addSeparator();
    bar->addWidget(zoomLabel);
    bar->addSeparator();
    QAction* gray = bar->addAction(QStringLiteral("Gray"));
    gray->setCheckable(true);
    QObject::connect(gray, &QAction::toggled, preview, [=](bool on) {
        preview->SetGrayscale(on ? TGrayscaleOptions(gsPreview) : TGrayscaleOptions());
    });

    QObject::connect(zoom, &QComboBox::activated, preview, [=](int index) {
        const int value = zoom->itemData(index).toInt();
        if (value < 0)
            preview->SetZoomState(static_cast<TZoomState>(-value));
        else
            preview->SetZoom(value);
    });
    QObject::connect(previous, &QToolButton::clicked, preview,
                     [=] { preview->SetCurrentPage(preview->CurrentPage() - 1); });
    QObject::connect(next, &QToolButton::clicked, preview,
                     [=] { preview->SetCurrentPage(preview->CurrentPage() + 1); });
    const auto showState = [=] {
        pageLabel->setText(
            QStringLiteral(" Page %1 of %2 ").arg(preview->CurrentPage()).arg(preview->TotalPages()));
        zoomLabel->setText(QStringLiteral(" %1% ").arg(preview->Zoom()));
    };
    QObject::connect(preview, &TPrintPreview::OnChange, preview, showState);
    QObject::connect(preview, &TPrintPreview::OnZoomChange, preview, showState);

    // Optional start zoom for screenshots: the first argument is a percentage or "width"/"height";
    // a second argument "gray" starts in the gray view.
    const QString start = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    gray->setChecked(argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("gray"));

    const int pages = 4;
    preview->BeginDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            preview->NewPage();
        DrawPage(*preview->Canvas(), page, pages);
    }
    preview->EndDoc();

    window.resize(900, 760);
    window.show();
    if (start == QStringLiteral("width"))
        preview->SetZoomState(zsZoomToWidth);
    else if (start == QStringLiteral("height"))
        preview->SetZoomState(zsZoomToHeight);
    else if (start.toInt() > 0)
        preview->SetZoom(start.toInt());
    for (int i = 0; i < zoom->count(); ++i)
        if (zoom->itemData(i).toInt() ==
            (preview->ZoomState() == zsZoomOther ? preview->Zoom() : -preview->ZoomState()))
            zoom->setCurrentIndex(i);
    preview->setFocus();
    showState();
    return app.exec();
}
