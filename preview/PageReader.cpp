#include "preview/PageReader.h"

#include "preview/PaperPreview.h"
#include "preview/PrintPreview.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <exception>
#include <utility>

namespace preview {

namespace {

bool IsSpace(const QString& text, int i) {
    return text.at(i).isSpace();
}

// The stretch of `text` that holds `offset`, by the boundary a screen reader asks for: a character, a
// word with the blanks after it, or a line with its line break (sentences and paragraphs are lines
// here, as on a printed sheet).
std::pair<int, int> Segment(const QString& text, int offset, QAccessible::TextBoundaryType boundary) {
    const int length = int(text.size());
    if (length == 0)
        return {0, 0};
    offset = std::clamp(offset, 0, length - 1);
    switch (boundary) {
    case QAccessible::CharBoundary:
        return {offset, offset + 1};
    case QAccessible::WordBoundary: {
        int start = offset;
        while (start > 0 && !IsSpace(text, start - 1))
            --start;
        int end = offset;
        while (end < length && !IsSpace(text, end))
            ++end;
        while (end < length && IsSpace(text, end) && text.at(end) != QLatin1Char('\n'))
            ++end;
        return {start, end};
    }
    case QAccessible::NoBoundary:
        return {0, length};
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
        break;
    }
    const int start = offset == 0 ? 0 : int(text.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
    const int lineBreak = int(text.indexOf(QLatin1Char('\n'), offset));
    return {start, lineBreak < 0 ? length : lineBreak + 1};
}

QString Part(const QString& text, std::pair<int, int> segment, int* start, int* end) {
    *start = segment.first;
    *end = segment.second;
    return text.mid(segment.first, segment.second - segment.first);
}

// The sheet as a read-only document holding the page's text, with a caret a screen reader moves.
class SheetAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SheetAccessible(TPaperPreview* sheet)
        : QAccessibleWidget(sheet, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && Reader() != nullptr)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name && Reader() != nullptr)
            return Reader()->PageName();
        return QAccessibleWidget::text(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}

    int cursorPosition() const override { return std::min(caret_, characterCount()); }
    void setCursorPosition(int position) override {
        caret_ = std::clamp(position, 0, characterCount());
        QAccessibleTextCursorEvent moved(object(), caret_);
        QAccessible::updateAccessibility(&moved);
    }

    QString text(int start, int end) const override {
        const QString& all = PageText();
        if (end < 0 || end > all.size())
            end = int(all.size());
        start = std::clamp(start, 0, end);
        return all.mid(start, end - start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        const QString& all = PageText();
        const int at = Segment(all, offset, boundary).first;
        if (at <= 0 || offset <= 0)
            return Part(all, {0, 0}, start, end);
        return Part(all, Segment(all, at - 1, boundary), start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        const QString& all = PageText();
        const int after = Segment(all, offset, boundary).second;
        if (after >= all.size())
            return Part(all, {int(all.size()), int(all.size())}, start, end);
        return Part(all, Segment(all, after, boundary), start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        const QString& all = PageText();
        return Part(all, Segment(all, offset, boundary), start, end);
    }
    int characterCount() const override { return int(PageText().size()); }
    QRect characterRect(int offset) const override {
        TPageReader* reader = Reader();
        return reader != nullptr ? reader->ToScreen(reader->Text().CharacterBox(offset)) : QRect();
    }
    int offsetAtPoint(const QPoint& point) const override {
        TPageReader* reader = Reader();
        return reader != nullptr ? reader->Text().OffsetAt(reader->FromScreen(point)) : -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TPageReader* Reader() const { return TPageReader::Of(*static_cast<TPaperPreview*>(widget())); }
    const QString& PageText() const {
        static const QString none;
        TPageReader* reader = Reader();
        return reader != nullptr ? reader->Text().Text() : none;
    }

    int caret_ = 0;
};

QAccessibleInterface* SheetAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TPaperPreview::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType())
        return new SheetAccessible(static_cast<TPaperPreview*>(object));
    return nullptr;
}

} // namespace

TPageReader::TPageReader(TPrintPreview& preview)
    : QObject(&preview)
    , preview_(preview) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(SheetAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    preview.AttachPageView(this);
    connect(&preview, &TPrintPreview::OnZoomChange, this, &TPageReader::ZoomChanged);
}

TPageReader* TPageReader::Of(const TPaperPreview& sheet) {
    for (QObject* up = sheet.parent(); up != nullptr; up = up->parent())
        if (auto* preview = qobject_cast<TPrintPreview*>(up))
            return preview->findChild<TPageReader*>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

QString TPageReader::PageName() const {
    if (preview_.TotalPages() == 0)
        return tr("No page", "the preview shows no page, for screen readers");
    return tr("Page %1 of %2", "the page shown, for screen readers")
        .arg(preview_.CurrentPage())
        .arg(preview_.TotalPages());
}

const TPageText& TPageReader::Text() {
    if (!stale_)
        return text_;
    stale_ = false;
    const int page = preview_.CurrentPage();
    try {
        const TMetafile* metafile = page > 0 ? preview_.Pages(page) : nullptr;
        text_ = metafile != nullptr ? TPageText::Of(*metafile) : TPageText();
    } catch (const std::exception&) {
        // A page that cannot be read back shows nothing, and has nothing to read either.
        text_ = TPageText();
    }
    return text_;
}

TPaperPreview* TPageReader::Sheet() const {
    return preview_.PaperPreview();
}

QRect TPageReader::ToScreen(const QRectF& pageBox) const {
    const TPaperPreview* sheet = Sheet();
    const QSize pixels = preview_.PagePixels();
    if (sheet == nullptr || pageBox.isEmpty() || pixels.isEmpty())
        return {};
    const QRect page = sheet->PageRect();
    const qreal sx = qreal(page.width()) / pixels.width();
    const qreal sy = qreal(page.height()) / pixels.height();
    const QRectF onSheet(page.left() + pageBox.left() * sx, page.top() + pageBox.top() * sy,
                         pageBox.width() * sx, pageBox.height() * sy);
    return onSheet.toAlignedRect().translated(sheet->mapToGlobal(QPoint(0, 0)));
}

QPointF TPageReader::FromScreen(const QPoint& screenPoint) const {
    const TPaperPreview* sheet = Sheet();
    const QSize pixels = preview_.PagePixels();
    const QRect page = sheet != nullptr ? sheet->PageRect() : QRect();
    if (page.isEmpty() || pixels.isEmpty())
        return {-1, -1};
    const QPointF onSheet = QPointF(sheet->mapFromGlobal(screenPoint) - page.topLeft());
    return {onSheet.x() * pixels.width() / page.width(), onSheet.y() * pixels.height() / page.height()};
}

void TPageReader::PageViewsRebuild() {
    PageChanged();
}

void TPageReader::PageViewsPagesChanged(int, int) {
    PageChanged();
}

void TPageReader::PageViewsPageChanged(int first, int last) {
    const int current = preview_.CurrentPage() - 1;
    if (current >= first && current <= last)
        PageChanged();
}

void TPageReader::PageViewsGrayscaleChanged(bool) {}

void TPageReader::PageViewsCurrentChanged(int) {
    PageChanged();
}

// The page is read again once the change is complete (a document records many changes in a row), from
// the event loop rather than from inside the page store's notification.
void TPageReader::PageChanged() {
    stale_ = true;
    if (announcePending_ || !QAccessible::isActive())
        return;
    announcePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcePending_ = false;
            TPaperPreview* sheet = Sheet();
            if (sheet == nullptr || !QAccessible::isActive())
                return;
            const QString before = text_.Text();
            const QString& after = Text().Text();
            QAccessibleEvent renamed(sheet, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
            if (after != before) {
                QAccessibleTextUpdateEvent replaced(sheet, 0, before, after);
                QAccessible::updateAccessibility(&replaced);
            }
        },
        Qt::QueuedConnection);
}

// The text stays; where it lies on the screen does not.
void TPageReader::ZoomChanged() {
    TPaperPreview* sheet = Sheet();
    if (sheet == nullptr || !QAccessible::isActive())
        return;
    QAccessibleEvent moved(sheet, QAccessible::LocationChanged);
    QAccessible::updateAccessibility(&moved);
    QAccessibleEvent redrawn(sheet, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&redrawn);
}

} // namespace preview
