#include "preview/Cursors.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include <map>
#include <optional>
#include <stdexcept>

// The hand cursors' pictures are compiled into the library. Registered here, before they are read: a
// library loaded after the application object exists (by a plugin or module of the program) sets itself
// up while it is still being loaded, before the registration its own loading would do.
static void RegisterCursorResources() {
    Q_INIT_RESOURCE(preview_cursors);
}

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

constexpr int CursorSize = 32; // logical pixels
constexpr int HotSpot = 15;
// The hands are drawn at 1x and 2x; a screen with a higher pixel ratio gets the platform's own hands,
// which its cursor theme draws crisp at any scale.
constexpr int LargestDrawnScale = 2;

qreal ScreenPixelRatio() {
    return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
}

// Qt's Wayland plugin hands a pixmap cursor to the compositor at the pixmap's pixel ratio, with the hot
// spot in logical pixels; X11 and the other platforms take the image's own pixels and a hot spot among
// them (measured on Qt 6.4: a 2x pixmap with the hot spot (15, 15) lands on pixel (15, 15) under X11).
bool CursorPixmapsAreScaledByThePlatform() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The drawing `name` at `scale` as a pixmap cursor: shown pixels opaque black or white, the rest clear.
// A colour pixmap rather than a bitmap with a mask, because Wayland compositors only take images: Qt
// 6.4 sends a bitmap-and-mask cursor there as an empty buffer, and no pointer shows at all.
std::optional<QCursor> MadeCursor(const QString& name, int scale) {
    const QString file = scale == 2 ? name + QStringLiteral("@2x") : name;
    // Read as XPM only: with format detection on, Qt first loads every image plugin to ask it.
    QImageReader reader(QStringLiteral(":/preview/cursors/") + file, "xpm");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull() || image.size() != QSize(CursorSize, CursorSize) * scale)
        return std::nullopt;
    // The reader gives "@2x" files a pixel ratio of 2 by itself; each platform gets the one it needs.
    QPixmap pixmap = QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const bool scaled = CursorPixmapsAreScaledByThePlatform();
    pixmap.setDevicePixelRatio(scaled ? scale : 1);
    const int hotSpot = scaled ? HotSpot : HotSpot * scale;
    return QCursor(pixmap, hotSpot, hotSpot);
}

// As before on X11: the 2x drawing from a ratio of 2 up.
int ScaleFor(qreal pixelRatio) {
    return pixelRatio >= 2.0 ? 2 : 1;
}

// The program's own hand where it can be shown crisp, else the platform's, never no cursor.
QCursor HandCursor(const QString& name, Qt::CursorShape platformHand) {
    const qreal ratio = ScreenPixelRatio();
    if (ratio > LargestDrawnScale)
        return QCursor(platformHand);
    return MadeCursor(name, ScaleFor(ratio)).value_or(QCursor(platformHand));
}

} // namespace

QCursor LoadCursorResource(const QString& name, int scale) {
    if (scale == 0)
        scale = ScaleFor(ScreenPixelRatio());
    std::optional<QCursor> cursor = MadeCursor(name, scale);
    if (!cursor)
        throw std::runtime_error(Message(QT_TRANSLATE_NOOP("preview", "Cannot load the cursor %1"),
                                         {(scale == 2 ? name + QStringLiteral("@2x") : name).toStdString()}));
    return *cursor;
}

void RegisterPreviewCursors() {
    RegisterCursorResources();
    Table& table = TheTable();
    table.previewRegistered = true;
    table.registered[crHand] = HandCursor(QStringLiteral("CURSOR_HAND"), Qt::OpenHandCursor);
    table.registered[crGrab] = HandCursor(QStringLiteral("CURSOR_GRAB"), Qt::ClosedHandCursor);
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
