// Build step: draws each tool icon from its SVG with Qt's own SVG icon engine, as an icon of that SVG
// would draw itself, at the pixel sizes the windows show it, and writes the pixels as they are
// (premultiplied ARGB32, this machine's byte order) for the calculator to use without any decoder.
// Usage: render_tool_icons -platform offscreen OUTPUT_FOLDER SIZES SVG...   (SIZES such as "16,32";
// each SVG gives OUTPUT_FOLDER/<name>@<size>.argb32 per size)
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: render_tool_icons -platform offscreen OUTPUT_FOLDER SIZES SVG...\n");
        return 2;
    }
    const QDir output(arguments[0]);
    for (const QString& svg : arguments.mid(2)) {
        const QIcon drawing(svg);
        for (const QString& side : arguments[1].split(QLatin1Char(','))) {
            const QSize size(side.toInt(), side.toInt());
            const QImage pixels =
                drawing.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QString name =
                QFileInfo(svg).completeBaseName() + QLatin1Char('@') + side + QStringLiteral(".argb32");
            QSaveFile file(output.filePath(name));
            bool written = pixels.size() == size && file.open(QIODevice::WriteOnly);
            for (int y = 0; written && y < pixels.height(); ++y)
                written = file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)),
                                     qint64(pixels.width()) * 4) == qint64(pixels.width()) * 4;
            if (!written || !file.commit()) {
                std::fprintf(stderr, "render_tool_icons: cannot draw %s at %d pixels into %s\n",
                             qPrintable(svg), size.width(), qPrintable(file.fileName()));
                return 1;
            }
        }
    }
    return 0;
}
