#include "controls/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace controls {

std::optional<QChar> TypedCharacter(const QKeyEvent& key) {
    const bool navigation = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    const bool chord = (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (key.text().isEmpty() || key.key() == Qt::Key_Delete || navigation || chord)
        return std::nullopt;
    return key.text().front();
}

bool IsDigitOrBackspace(QChar character) {
    constexpr char16_t Backspace = 8;
    return (character >= QLatin1Char('0') && character <= QLatin1Char('9')) ||
           character.unicode() == Backspace;
}

TKeyPressFilter::TKeyPressFilter(QObject* parent, std::function<bool(QChar)> accept)
    : QObject(parent)
    , accept_(std::move(accept)) {}

bool TKeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (typed && !accept_(*typed))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void FilterKeyPresses(QWidget* box, std::function<bool(QChar)> accept) {
    box->installEventFilter(new TKeyPressFilter(box, std::move(accept)));
}

} // namespace controls
