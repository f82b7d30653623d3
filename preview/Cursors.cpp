#include "preview/Cursors.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <map>
#include <stdexcept>

namespace preview {

namespace {

struct Table {
    std::map<TCursor, QCursor> registered;
    bool previewRegistered = false;
    bool clearsAtExit = false;
};

// Cursors hold pixmaps, which must go while the application object still exists: the table is
// emptied when it is destroyed, and never destroyed itself by a static destructor after it.
Table& TheTable() {
    static Table* const table = new Table;
    if (!table->clearsAtExit && QCoreApplication::instance() != nullptr) {
        table->clearsAtExit = true;
        qAddPostRoutine([] {
            table->registered.clear();
            table->previewRegistered = false;
            table->clearsAtExit = false;
        });
    }
    return *table;
}

Qt::CursorShape StandardShape(TCursor id) {
    switch (id) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

constexpr int kCursorSize = 32;
constexpr int kHotSpot = 15;

} // namespace

QCursor LoadCursorResource(const QString& name, int scale) {
    if (scale == 0)
        scale = qGuiApp != nullptr && qGuiApp->devicePixelRatio() >= 2 ? 2 : 1;
    const QString file = scale == 2 ? name + QStringLiteral("@2x") : name;
    // Read as XPM only: with format detection on, Qt first loads every image plugin to ask it.
    QImageReader reader(QStringLiteral(":/preview/cursors/") + file, "xpm");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull() || image.size() != QSize(kCursorSize, kCursorSize) * scale)
        throw std::runtime_error("Cannot load the cursor " + file.toStdString());
    // A monochrome cursor: the bitmap says black or white, the mask says shown or transparent.
    QImage bits(image.size(), QImage::Format_RGB32);
    QImage mask(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool shown = qAlpha(pixel) >= 128;
            const bool black = shown && qGray(pixel) < 128;
            bits.setPixel(x, y, black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            mask.setPixel(x, y, shown ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), kHotSpot * scale, kHotSpot * scale);
}

void RegisterPreviewCursors() {
    Table& table = TheTable();
    table.previewRegistered = true;
    table.registered[crHand] = LoadCursorResource(QStringLiteral("CURSOR_HAND"));
    table.registered[crGrab] = LoadCursorResource(QStringLiteral("CURSOR_GRAB"));
}

bool TScreenCursors::Registered(TCursor id) {
    return TheTable().registered.count(id) != 0;
}

QCursor TScreenCursors::Cursor(TCursor id) {
    Table& table = TheTable();
    if ((id == crHand || id == crGrab) && !table.previewRegistered)
        RegisterPreviewCursors();
    const auto found = table.registered.find(id);
    if (found != table.registered.end())
        return found->second;
    return QCursor(StandardShape(id));
}

void TScreenCursors::Register(TCursor id, const QCursor& cursor) {
    TheTable().registered[id] = cursor;
}

} // namespace preview
